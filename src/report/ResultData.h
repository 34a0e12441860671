// The result file of a conversion as ReportD reads it back: one row per data
// line, with the markers of negative values kept apart from the numbers.
#ifndef CONVERTD_REPORT_RESULTDATA_H_
#define CONVERTD_REPORT_RESULTDATA_H_

#include <string>
#include <vector>

#include "output/FollowWarning.h"

struct stResultRow {
  int LineNo = 0;        // line of the result file, the header being line 1
  int Time = 0;          // s, whole seconds as printed (truncated)
  double Vtarget = 0;    // km/h
  double Vreal = 0;      // km/h
  double Ne = 0;         // rpm
  double Te = 0;         // N·m; 0 when the file prints M
  bool TeNegative = false;     // M: engine braking, the value is not in the file
  double Nnorm = 0;      // %; 0 when M
  bool NnormNegative = false;  // M: engine speed below Nidle
  double Tnorm = 0;      // %; 0 when M
  bool TnormNegative = false;  // M: negative torque
  int Gear = 0;          // 0 is neutral
};

// Reads a result file. False, with a message naming the file, the line and
// the column, when it cannot be read, does not start with the header line
// of a result file, has no data line, or holds a line that is not a data
// line (wrong number of columns, a text where a number belongs, a time
// before the time of the line above it).
bool ReadResultFile(const std::string& fileName, std::vector<stResultRow>& rows,
                    std::string& error);

// True when the file starts with the header line of a result file.
bool LooksLikeResultFile(const std::string& fileName);

// The rows as the follow-stretch detection takes them.
std::vector<stFollowPoint> FollowPoints(const std::vector<stResultRow>& rows);

#endif  // CONVERTD_REPORT_RESULTDATA_H_
