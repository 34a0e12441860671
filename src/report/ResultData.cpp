// Reading a result file back. The converter writes it in one fixed format,
// so everything else is refused with the line and column that differ.
#include "report/ResultData.h"

#include <cmath>
#include <cstdio>
#include <string_view>

#include "input/CommFun.h"
#include "output/ResultLine.h"

namespace {

const char* const kColumns[] = {"time(s)", "Vtarget(km/h)", "Vreal(km/h)", "Ne(rpm)",
                                "Te(N-m)", "N_norm(%)",     "T_norm(%)",   "Shift"};
const size_t kColumnCount = 8;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A whole number as the result file prints one: digits, no sign.
bool IsWholeNumber(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

// A decimal number as the result file prints one: an optional minus sign,
// digits, and optionally a point followed by digits.
bool IsDecimal(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && text[i] == '-') ++i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (digits == 0) return false;
  if (i == text.size()) return true;
  if (text[i] != '.') return false;
  ++i;
  size_t decimals = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++decimals;
  return decimals > 0 && i == text.size();
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    if (tab == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
}

std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The first line of content, without its line end.
std::string_view FirstLine(const std::string& content) {
  std::string_view all(content);
  size_t lf = all.find('\n');
  return WithoutLineEnd(all.substr(0, lf == std::string_view::npos ? all.size() : lf + 1));
}

}  // namespace

bool LooksLikeResultFile(const std::string& fileName) {
  std::string content, why;
  if (!CommFun->ReadWholeFile(fileName, content, why)) return false;
  return FirstLine(content) == kResultHeader;
}

bool ReadResultFile(const std::string& fileName, std::vector<stResultRow>& rows,
                    std::string& error) {
  rows.clear();
  std::string content, why;
  if (!CommFun->ReadWholeFile(fileName, content, why)) {
    error = fileName + ": cannot be read: " + why;
    return false;
  }
  if (content.empty()) {
    error = fileName + ": is empty, not a result file of ConvertD";
    return false;
  }
  if (FirstLine(content) != kResultHeader) {
    error = fileName + ": line 1: " + CommFun->Quote(FirstLine(content)) +
            " is not the header line of a result file of ConvertD";
    return false;
  }

  std::string_view all(content);
  size_t pos = all.find('\n');
  int lineNo = 1;
  while (pos != std::string_view::npos && pos + 1 < all.size()) {
    size_t start = pos + 1;
    pos = all.find('\n', start);
    std::string_view line =
        WithoutLineEnd(all.substr(start, pos == std::string_view::npos ? all.size() - start
                                                                        : pos + 1 - start));
    ++lineNo;
    const std::string where = fileName + ": line " + std::to_string(lineNo) + ": ";
    std::vector<std::string_view> f = SplitTabs(line);
    if (f.size() != kColumnCount) {
      error = where + "has " + std::to_string(f.size()) + (f.size() == 1 ? " column" : " columns") +
              " where a result line has 8 separated by tabs";
      return false;
    }
    // A column that must hold a number, or M where negative values are marked.
    bool ok = true;
    auto number = [&](size_t column, bool markable, double& value, bool* marked) {
      if (!ok) return;
      if (markable && f[column] == "M") {
        *marked = true;
        value = 0;
        return;
      }
      bool whole = column == 0 || column == 7;
      if (whole ? !IsWholeNumber(f[column]) : !IsDecimal(f[column])) {
        error = where + "column " + kColumns[column] + ": " + CommFun->Quote(f[column]) +
                " is not " + (whole ? "a whole number" : "a number") +
                (markable ? " or M" : "");
        ok = false;
        return;
      }
      value = CommFun->StrToValue(f[column]);
      if (!std::isfinite(value) || (whole && value > 2147483647.0)) {
        error = where + "column " + kColumns[column] + ": " + CommFun->Quote(f[column]) +
                " is too large a number";
        ok = false;
      }
    };
    stResultRow row;
    row.LineNo = lineNo;
    double time = 0, gear = 0;
    number(0, false, time, nullptr);
    number(1, false, row.Vtarget, nullptr);
    number(2, false, row.Vreal, nullptr);
    number(3, false, row.Ne, nullptr);
    number(4, true, row.Te, &row.TeNegative);
    number(5, true, row.Nnorm, &row.NnormNegative);
    number(6, true, row.Tnorm, &row.TnormNegative);
    number(7, false, gear, nullptr);
    if (!ok) return false;
    row.Time = static_cast<int>(time);
    row.Gear = static_cast<int>(gear);
    if (!rows.empty() && row.Time < rows.back().Time) {
      error = where + "time " + std::to_string(row.Time) + " s lies before the time " +
              std::to_string(rows.back().Time) + " s of line " +
              std::to_string(rows.back().LineNo);
      return false;
    }
    rows.push_back(row);
  }
  if (rows.empty()) {
    error = fileName + ": has no data line after its header";
    return false;
  }
  return true;
}

std::vector<stFollowPoint> FollowPoints(const std::vector<stResultRow>& rows) {
  std::vector<stFollowPoint> points;
  points.reserve(rows.size());
  for (const stResultRow& r : rows) {
    stFollowPoint p;
    p.Time = r.Time;
    p.Vtarget = r.Vtarget;
    p.Vreal = r.Vreal;
    p.Gear = r.Gear;
    points.push_back(p);
  }
  return points;
}
