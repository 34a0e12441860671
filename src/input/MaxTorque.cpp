// The full-load torque curve: reading it and looking the full-load torque up
// at any engine speed by straight-line interpolation and extrapolation.
#include <cstdio>
#include <vector>

#include "context/CalculateProc.h"
#include "input/CommFun.h"
#include "input/CurveFile.h"
#include "input/CurveLookup.h"

int TCalculateProc::ReadMaxTorqueData(const std::string& fileName) {
  const char* file = fileName.c_str();
  std::string content, why;
  if (!CommFun->ReadWholeFile(fileName, content, why)) {
    std::printf("%s\n\nThe file is not found.\n", file);
    std::fflush(stdout);
    if (!why.empty()) CommFun->ErrorLine("%s: %s", file, why.c_str());
    return -1;
  }

  // Points are gathered in file order and then ordered by engine speed; of
  // two points with the same engine speed the first one read stays.
  std::vector<MAX_TORQUE> points;
  int badLine;
  std::string badText;
  if (!ParseCurvePoints(content, points, badLine, badText)) {
    CommFun->ErrorLine("%s: line %d: %s is too large a number", file, badLine,
                       CommFun->Quote(badText).c_str());
    return -1;
  }
  MaxTorque.assign(points);
  MaxTorqueCursor = MaxTorque.begin();
  return 1;
}

// The curve's own lookup; the segment and the line are those of
// CurveLookup.h, which the attainable-speed search uses directly.
double TCalculateProc::GetLineReviseMaxTorque(double ne) {
  // An empty curve, or a single point, gives no line to follow.
  const size_t count = MaxTorque.size();
  if (count < 2) return 0;
  const MAX_TORQUE* points = &*MaxTorque.begin();
  const size_t b = CurveUpperIndex(points, count, ne);
  MaxTorqueCursor = MaxTorque.begin() + b;
  return CurveValue(points, count, b, ne);
}
