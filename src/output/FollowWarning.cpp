// Detection of the stretches where the vehicle falls behind its target, and
// the converter's warning about them.
#include "output/FollowWarning.h"

#include <cmath>
#include <cstdio>

#include "context/CalculateProc.h"
#include "input/CommFun.h"
#include "output/ResultLine.h"

namespace {

const long long kGapCents = 1000;  // kFollowGapKmh in hundredths
const double kCentsLimit = 4e18;   // |SpeedCents|, half the range of long long

std::string Format(const char* format, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

}  // namespace

long long SpeedCents(double kmh) {
  // Beyond this the text has more digits than a long long holds; no vehicle
  // goes that fast, and the nearest whole number is as good. Larger values
  // (a pattern may ask for any finite speed) saturate well inside the range,
  // so that the difference of two of them cannot overflow either.
  if (!(std::fabs(kmh) < 1e15)) {
    if (std::isnan(kmh)) return 0;
    return std::llround(std::fmax(-kCentsLimit, std::fmin(kCentsLimit, kmh * 100)));
  }
  std::string text;
  AppendFixed2(kmh, text);
  long long cents = 0;
  bool negative = false;
  for (char c : text) {
    if (c == '-') negative = true;
    if (c >= '0' && c <= '9') cents = cents * 10 + (c - '0');
  }
  return negative ? -cents : cents;
}

namespace {

// True when the shortfall of a line cannot be more than kGapCents, told
// without the text conversion of SpeedCents: a speed below 1e6 km/h prints
// within half a hundredth of its value, so two of them at most
// kFollowGapKmh - 0.02 km/h apart print at most 999 hundredths apart. Every
// other line is looked at exactly.
bool WithinGap(double vtarget, double vreal) {
  return std::fabs(vtarget) < 1e6 && std::fabs(vreal) < 1e6 &&
         vtarget - vreal <= kFollowGapKmh - 0.02;
}

}  // namespace

std::vector<stFollowStretch> FindFollowStretches(const std::vector<stFollowPoint>& points) {
  std::vector<stFollowStretch> found;
  size_t i = 0;
  const size_t n = points.size();
  while (i < n) {
    if (WithinGap(points[i].Vtarget, points[i].Vreal)) {
      ++i;
      continue;
    }
    long long gap = SpeedCents(points[i].Vtarget) - SpeedCents(points[i].Vreal);
    if (gap <= kGapCents) {
      ++i;
      continue;
    }
    stFollowStretch s;
    s.First = i;
    s.Start = points[i].Time;
    long long largest = gap;
    s.MaxShortfallTime = points[i].Time;
    for (; i < n; ++i) {
      if (WithinGap(points[i].Vtarget, points[i].Vreal)) break;
      gap = SpeedCents(points[i].Vtarget) - SpeedCents(points[i].Vreal);
      if (gap <= kGapCents) break;
      if (gap > largest) {
        largest = gap;
        s.MaxShortfallTime = points[i].Time;
      }
      bool known = false;
      for (int g : s.Gears) known = known || g == points[i].Gear;
      if (!known) s.Gears.push_back(points[i].Gear);
      s.Last = i;
      s.End = points[i].Time;
    }
    s.MaxShortfall = static_cast<double>(largest) / 100;
    if (s.Duration() > kFollowMinSeconds) found.push_back(s);
  }
  return found;
}

double FollowShare(const std::vector<stFollowStretch>& stretches,
                   const std::vector<stFollowPoint>& points) {
  if (points.empty()) return 0;
  double cycle = static_cast<double>(points.back().Time) - points.front().Time;
  if (!(cycle > 0)) return 0;
  double covered = 0;
  for (const stFollowStretch& s : stretches) covered += s.Duration();
  return covered / cycle * 100;
}

std::string GearList(const std::vector<int>& gears) {
  std::string text;
  for (size_t i = 0; i < gears.size(); ++i) {
    if (i > 0) text += ", ";
    text += gears[i] == 0 ? std::string("N") : std::to_string(gears[i]);
  }
  return text;
}

std::vector<std::string> FollowWarningLines(const std::vector<stFollowStretch>& stretches,
                                            const std::vector<stFollowPoint>& points) {
  std::vector<std::string> lines;
  if (stretches.empty()) return lines;
  int covered = 0;
  for (const stFollowStretch& s : stretches) covered += s.Duration();
  int cycle = points.back().Time - points.front().Time;
  lines.push_back("the vehicle could not follow the target speed: " +
                  std::to_string(stretches.size()) +
                  (stretches.size() == 1 ? " stretch" : " stretches") +
                  " more than 10 km/h behind it for more than 10 s, " +
                  std::to_string(covered) + " s of the " + std::to_string(cycle) + " s cycle (" +
                  Format("%.1f", FollowShare(stretches, points)) + " %)");
  for (const stFollowStretch& s : stretches) {
    const bool several = s.Gears.size() > 1;
    lines.push_back("  " + std::to_string(s.Start) + " s to " + std::to_string(s.End) + " s (" +
                    std::to_string(s.Duration()) + " s): largest shortfall " +
                    Format("%.2f", s.MaxShortfall) + " km/h at " +
                    std::to_string(s.MaxShortfallTime) + " s, " + (several ? "gears " : "gear ") +
                    GearList(s.Gears));
  }
  return lines;
}

void TCalculateProc::WarnFollowStretches() {
  // The warning needs the first and the last line (the cycle) and the
  // stretches. A stretch holds only lines that may lag, so only those are
  // gathered, each run of them with the line after it, which cannot lag and
  // keeps the run apart from the next: the stretches found are those among
  // all lines, with the same times and gears. Most conversions gather two
  // lines.
  std::vector<stFollowPoint> points;
  stFollowPoint last;
  bool lastGathered = false;
  bool afterLagging = false;  // the line before this one may lag
  for (Pos r = CalcData.begin(); r != CalcData.end(); ++r) {
    if (r->PrintMark != 1) continue;
    stFollowPoint p;
    p.Time = static_cast<int>(r->Time10 / 10);
    p.Vtarget = r->Vtarget;
    p.Vreal = r->Vreal;
    p.Gear = r->Gear;
    const bool mayLag = !WithinGap(p.Vtarget, p.Vreal);
    lastGathered = points.empty() || mayLag || afterLagging;
    if (lastGathered) points.push_back(p);
    last = p;
    afterLagging = mayLag;
  }
  if (!lastGathered && !points.empty()) points.push_back(last);
  std::vector<stFollowStretch> stretches = FindFollowStretches(points);
  for (const std::string& line : FollowWarningLines(stretches, points)) {
    CommFun->ErrorLine("warning: %s", line.c_str());
  }
}
