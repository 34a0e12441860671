// The full-load torque curve: reading it and looking the full-load torque up
// at any engine speed by straight-line interpolation and extrapolation.
#include <cmath>
#include <cstdio>
#include <vector>

#include "context/CalculateProc.h"
#include "input/CommFun.h"
#include "input/CsvFile.h"
#include "input/CurveLookup.h"

namespace {
const size_t kCurveLineBuffer = 100;
}  // namespace

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
  CCsvFile splitter;
  size_t pos = 0;
  std::string_view line;
  int lineNo = 0;
  while (CommFun->NextLine(content, pos, kCurveLineBuffer, line)) {
    ++lineNo;
    if (lineNo == 1) continue;
    splitter.DeleteData();
    splitter.SetDataStr(std::string(line));
    splitter.SetAtRec(1);
    if (splitter.GetDataCnt() != 2) continue;
    double ne, te;
    // A field that is empty after trimming gives no value, and its line no
    // point.
    if (!CommFun->AStrToDouble(splitter.Strings(0), ne)) continue;
    if (!CommFun->AStrToDouble(splitter.Strings(1), te)) continue;
    if (!std::isfinite(ne) || !std::isfinite(te)) {
      CommFun->ErrorLine("%s: line %d: %s is too large a number", file, lineNo,
                         CommFun->Quote(std::isfinite(ne) ? splitter.Strings(1)
                                                          : splitter.Strings(0))
                             .c_str());
      return -1;
    }
    MAX_TORQUE point;
    point.Te = te;
    point.Ne = ne;
    points.push_back(point);
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
