// The stretch detection tells most lines apart without printing their
// speeds; near 10 km/h behind, where the printed hundredths decide, its
// stretches are those of comparing every line as printed.
#include <gtest/gtest.h>

#include <random>

#include "TestUtil.h"
#include "output/FollowWarning.h"

namespace {

struct LagRun {
  int start, end;
  double maxShortfall;
};

// Every line compared as printed, the stretches longer than 10 s.
std::vector<LagRun> ByPrintedSpeeds(const std::vector<stFollowPoint>& points) {
  std::vector<LagRun> runs;
  size_t i = 0;
  while (i < points.size()) {
    long long gap = SpeedCents(points[i].Vtarget) - SpeedCents(points[i].Vreal);
    if (gap <= 1000) {
      ++i;
      continue;
    }
    LagRun r{points[i].Time, points[i].Time, 0};
    long long largest = gap;
    for (; i < points.size(); ++i) {
      gap = SpeedCents(points[i].Vtarget) - SpeedCents(points[i].Vreal);
      if (gap <= 1000) break;
      if (gap > largest) largest = gap;
      r.end = points[i].Time;
    }
    r.maxShortfall = static_cast<double>(largest) / 100;
    if (r.end - r.start > 10) runs.push_back(r);
  }
  return runs;
}

TEST(FollowGap, StretchesAsByPrintedSpeedsAroundTheLimit) {
  std::mt19937 random(8);
  std::uniform_real_distribution<double> target(0, 120), behind(9.9, 10.1), wide(-30, 30);
  std::uniform_int_distribution<int> kind(0, 9);
  for (int trial = 0; trial < 50; ++trial) {
    std::vector<stFollowPoint> points;
    for (int t = 0; t < 2000; ++t) {
      stFollowPoint p;
      p.Time = t;
      p.Vtarget = target(random);
      int k = kind(random);
      // Mostly right at the limit, some lines far off either way, and
      // hundredths that print on a rounding boundary.
      double d = k < 7 ? behind(random) : wide(random);
      if (k == 9) d = 10.005;
      p.Vreal = p.Vtarget - d;
      p.Gear = t % 6;
      points.push_back(p);
    }
    // Long runs just beyond the limit as printed, so that stretches form:
    // 10.003 km/h behind prints 10.01 behind from a target of x.0055.
    for (int t = 100 * trial % 1500; t < 100 * trial % 1500 + 40; ++t) {
      if (t % 3 == 0) points[t].Vtarget = static_cast<int>(points[t].Vtarget) + 0.0055;
      points[t].Vreal = points[t].Vtarget - (t % 3 ? 10.01 : 10.003);
    }
    std::vector<LagRun> expected = ByPrintedSpeeds(points);
    std::vector<stFollowStretch> found = FindFollowStretches(points);
    ASSERT_EQ(found.size(), expected.size()) << trial;
    for (size_t i = 0; i < found.size(); ++i) {
      EXPECT_EQ(found[i].Start, expected[i].start) << trial;
      EXPECT_EQ(found[i].End, expected[i].end) << trial;
      EXPECT_EQ(found[i].MaxShortfall, expected[i].maxShortfall) << trial;
    }
  }
}

// ConvertD gathers only the lines that may lag and their neighbours; its
// warning is the one made from all lines.
TEST(FollowGap, ConvertDWarnsAsFromAllLines) {
  std::mt19937 random(8);
  std::uniform_real_distribution<double> target(0, 100), unit(0, 1);
  for (int trial = 0; trial < 60; ++trial) {
    TCalculateProc proc;
    std::vector<stFollowPoint> all;
    double behind = 0;
    const int length = 50 + trial * 7;
    for (int i = 0; i < length; ++i) {
      // Lagging comes and goes in runs of a few to many lines; now and
      // then a line of a run catches up, and some records are not printed.
      if (unit(random) < 0.08) behind = behind > 0 ? 0 : 10 + 20 * unit(random);
      stCalculateData rec;
      rec.Time10 = i * 10 + (i % 5 == 3 ? 5 : 0);
      rec.Vtarget = target(random);
      rec.Vreal = rec.Vtarget - (unit(random) < 0.05 ? 0 : behind);
      rec.Gear = i / 9 % 6;
      rec.PrintMark = unit(random) < 0.1 ? 0 : 1;
      if (trial % 4 == 1 && (i < 3 || i > length - 3)) {
        rec.Vreal = rec.Vtarget - 30;  // lagging at the very start and end
        rec.PrintMark = 1;
      }
      proc.CalcData.push_back(rec);
      if (rec.PrintMark == 1) {
        all.push_back({static_cast<int>(rec.Time10 / 10), rec.Vtarget, rec.Vreal, rec.Gear});
      }
    }
    std::string expected;
    for (const std::string& line : FollowWarningLines(FindFollowStretches(all), all)) {
      expected += "ConvertD: warning: " + line + "\n";
    }
    testing::internal::CaptureStderr();
    proc.WarnFollowStretches();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), expected) << trial;
  }
}

}  // namespace
