// The points of a full-load curve file. After the header line, every line
// that splits into exactly two fields (blank, tab, carriage return, line
// feed and comma separate them) is a point: engine speed [rpm], full-load
// torque [N·m]. Lines are read with a buffer of 100 bytes, so a longer line
// is split into several.
#ifndef CONVERTD_INPUT_CURVEFILE_H_
#define CONVERTD_INPUT_CURVEFILE_H_

#include <string>
#include <vector>

#include "context/Records.h"

// Appends the points of the curve file's text to points, in file order.
// False at a number too large for a double: then badLine is its line and
// badText the field as written.
bool ParseCurvePoints(const std::string& content, std::vector<MAX_TORQUE>& points, int& badLine,
                      std::string& badText);

#endif  // CONVERTD_INPUT_CURVEFILE_H_
