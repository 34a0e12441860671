// Formatting of the result file's lines. The numbers are written with
// std::to_chars, which rounds exactly as printf does ("%d", "%.2f", "%f",
// "%.1f") without its format parsing.
#ifndef CONVERTD_OUTPUT_RESULTLINE_H_
#define CONVERTD_OUTPUT_RESULTLINE_H_

#include <string>

#include "context/Records.h"

extern const char kResultHeader[];

// Engine speed and torque are printed with one decimal after a first
// rounding to five: "%f", the sixth decimal dropped, read back, "%.1f".
// Appends the text to out.
void AppendTwoStage(double value, std::string& out);

// Appends value as "%.2f".
void AppendFixed2(double value, std::string& out);

// Appends the data line of rec, with its line feed, to out. fullLoad is the
// full-load torque at rec.Ne. Returns the title of a column that would print
// an infinite or not-a-number value, or nullptr when the line is sound; then
// out holds only a part of the line.
const char* AppendResultLine(const stCalculateData& rec, double fullLoad, double nidle,
                             double maxNe, std::string& out);

#endif  // CONVERTD_OUTPUT_RESULTLINE_H_
