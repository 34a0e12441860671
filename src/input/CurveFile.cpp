#include "input/CurveFile.h"

#include <cmath>
#include <string_view>

#include "input/CommFun.h"
#include "input/CsvFile.h"

namespace {
const size_t kCurveLineBuffer = 100;
}  // namespace

bool ParseCurvePoints(const std::string& content, std::vector<MAX_TORQUE>& points, int& badLine,
                      std::string& badText) {
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
      badLine = lineNo;
      badText = splitter.Strings(std::isfinite(ne) ? 1 : 0);
      return false;
    }
    MAX_TORQUE point;
    point.Te = te;
    point.Ne = ne;
    points.push_back(point);
  }
  return true;
}
