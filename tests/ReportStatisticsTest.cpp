// The statistics of ReportD on small hand-made result files whose distance,
// work, shifts and times are known.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "TestUtil.h"
#include "output/ResultLine.h"
#include "report/ResultData.h"
#include "report/Statistics.h"

namespace {

// One data line: time, target and reached speed, engine speed, torque (or
// M), gear. N_norm and T_norm are not read by the statistics but T_norm
// decides full load, so it is given where it matters.
std::string Line(int t, double vt, double vr, double ne, const std::string& te, int gear,
                 const std::string& tnorm = "0.00") {
  char buf[200];
  std::snprintf(buf, sizeof buf, "%d\t%.2f\t%.2f\t%.1f\t%s\t0.00\t%s\t%d\n", t, vt, vr, ne,
                te.c_str(), tnorm.c_str(), gear);
  return buf;
}

stReportStats Stats(const std::string& lines, int gears = 6) {
  testutil::TempDir dir;
  dir.Write("r.txt", std::string(kResultHeader) + "\n" + lines);
  std::vector<stResultRow> rows;
  std::string error;
  EXPECT_TRUE(ReadResultFile(dir.File("r.txt"), rows, error)) << error;
  return ComputeStatistics(rows, gears);
}

TEST(ReportStatistics, DistancesOfConstantAndRampingSpeeds) {
  // 100 s at 36 km/h is 1 km; the vehicle reaching half of it, 0.5 km.
  std::string steady;
  for (int t = 0; t <= 100; ++t) steady += Line(t, 36, 18, 1000, "50.0", 3);
  stReportStats s = Stats(steady);
  EXPECT_DOUBLE_EQ(s.Duration, 100);
  EXPECT_NEAR(s.TargetDistance, 1.0, 1e-12);
  EXPECT_NEAR(s.ReachedDistance, 0.5, 1e-12);
  EXPECT_NEAR(s.DistanceDiff, -50, 1e-9);

  // A ramp from 0 to 72 km/h in 10 s covers 100 m; speed changes linearly
  // over a step, so the trapezoid sum is exact.
  std::string ramp;
  for (int t = 0; t <= 10; ++t) ramp += Line(t, 7.2 * t, 7.2 * t, 1000, "50.0", 3);
  s = Stats(ramp);
  EXPECT_NEAR(s.TargetDistance, 0.1, 1e-12);
  EXPECT_NEAR(s.DistanceDiff, 0, 1e-9);
}

TEST(ReportStatistics, PositiveWorkIntegratesTorqueTimesAngularSpeed) {
  // 200 N·m at 1500 rpm for 360 s: 200 x 2 pi x 25 W x 360 s = pi kWh.
  std::string lines;
  for (int t = 0; t <= 360; ++t) lines += Line(t, 40, 40, 1500, "200.0", 4);
  EXPECT_NEAR(Stats(lines).PositiveWork, M_PI, 1e-9);

  // Engine braking (M) and zero torque add nothing; the step from the last
  // driving row to the first braking row counts half: 5.5 s of power.
  lines.clear();
  for (int t = 0; t <= 5; ++t) lines += Line(t, 40, 40, 1500, "200.0", 4);
  for (int t = 6; t <= 8; ++t) lines += Line(t, 40, 40, 1500, "M", 4);
  for (int t = 9; t <= 10; ++t) lines += Line(t, 40, 40, 1500, "0.0", 4);
  const double power = 200 * 2 * M_PI * 1500 / 60;
  stReportStats s = Stats(lines);
  EXPECT_NEAR(s.PositiveWork, power * 5.5 / 3.6e6, 1e-12);
  EXPECT_DOUBLE_EQ(s.BrakingTime, 3);  // rows 6, 7, 8: half steps on both sides
}

TEST(ReportStatistics, GearChangesCountOnlyChangesBetweenGears) {
  // Moving off from neutral and releasing the clutch are no gear changes;
  // 1-2, 2-3 and 3-2 at a pattern point of 6.5 s (printed 6) are.
  const int gears[] = {0, 0, 1, 1, 2, 2, 3, 2, 0, 0, 1};
  std::string lines;
  for (int t = 0; t <= 10; ++t) {
    lines += Line(t, 20, 20, 1000, "80.0", gears[t]);
    if (t == 6) lines += Line(6, 20, 20, 1000, "80.0", 2);
  }
  stReportStats s = Stats(lines);
  EXPECT_EQ(s.GearChanges, 3);

  lines.clear();
  for (int t = 0; t <= 6; ++t) lines += Line(t, 20, 20, 1000, "80.0", t % 2 == 0 ? 2 : 3);
  EXPECT_EQ(Stats(lines).GearChanges, 6);
}

TEST(ReportStatistics, TimeSharesAddUpToTheDuration) {
  // 0-4 s idle in neutral, 5-9 s in gear 1 at full load, 10-14 s in gear 2.
  std::string lines;
  for (int t = 0; t <= 4; ++t) lines += Line(t, 0, 0, 600, "0.0", 0);
  for (int t = 5; t <= 9; ++t) lines += Line(t, 10, 10, 2000, "300.0", 1, "99.50");
  for (int t = 10; t <= 14; ++t) lines += Line(t, 30, 30, 1000, "300.0", 2, "99.49");
  stReportStats s = Stats(lines, 2);
  EXPECT_DOUBLE_EQ(s.Duration, 14);
  ASSERT_EQ(s.GearTime.size(), 3u);
  // Each row stands for half the step before and half the step after it.
  EXPECT_DOUBLE_EQ(s.GearTime[0], 4.5);
  EXPECT_DOUBLE_EQ(s.GearTime[1], 5);
  EXPECT_DOUBLE_EQ(s.GearTime[2], 4.5);
  EXPECT_DOUBLE_EQ(s.FullLoadTime, 5);  // 99.49 % is below full load
  EXPECT_NEAR(s.IdleShare, 4.5 / 14 * 100, 1e-12);
  EXPECT_NEAR(s.MeanNe, (600 * 4.5 + 2000 * 5 + 1000 * 4.5) / 14, 1e-9);
  EXPECT_DOUBLE_EQ(s.MaxNe, 2000);
  EXPECT_EQ(s.GearChanges, 1);
}

TEST(ReportStatistics, ShortfallAndTimeBehindTheTarget) {
  // Behind by 2.00 (not more than 2), 2.01, 5.50, 5.50 and 1.00 km/h.
  std::string lines = Line(0, 10, 8, 1000, "50.0", 2) + Line(1, 10, 7.99, 1000, "50.0", 2) +
                      Line(2, 20, 14.5, 1000, "50.0", 2) + Line(3, 20, 14.5, 1000, "50.0", 2) +
                      Line(4, 20, 19, 1000, "50.0", 2) + Line(5, 20, 25, 1000, "50.0", 2);
  stReportStats s = Stats(lines);
  EXPECT_DOUBLE_EQ(s.MaxShortfall, 5.5);
  EXPECT_EQ(s.MaxShortfallTime, 2);  // the first time of the largest shortfall
  EXPECT_DOUBLE_EQ(s.BehindTime, 3);  // rows 1, 2, 3
  EXPECT_TRUE(s.Stretches.empty());

  // A vehicle never behind has no shortfall time.
  s = Stats(Line(0, 10, 10, 1000, "50.0", 2) + Line(1, 10, 11, 1000, "50.0", 2));
  EXPECT_EQ(s.MaxShortfallTime, -1);
  EXPECT_DOUBLE_EQ(s.MaxShortfall, 0);
}

TEST(ReportStatistics, LinesOfTheSameSecondTakeNoTime) {
  // A pattern point between two grid points prints the grid's second: the
  // step between the two lines of second 1 has no length.
  std::string lines = Line(0, 0, 0, 600, "0.0", 0) + Line(1, 36, 36, 1000, "50.0", 2) +
                      Line(1, 36, 36, 1000, "50.0", 2) + Line(2, 36, 36, 1000, "50.0", 2);
  stReportStats s = Stats(lines);
  EXPECT_DOUBLE_EQ(s.Duration, 2);
  EXPECT_NEAR(s.TargetDistance, (18.0 + 36.0) / 3600, 1e-12);
  EXPECT_DOUBLE_EQ(s.GearTime[0] + s.GearTime[2], 2);
}

TEST(ReportStatistics, TheTableAndTheCsvRowShowTheValues) {
  std::string lines;
  for (int t = 0; t <= 100; ++t) lines += Line(t, 36, t >= 20 && t <= 40 ? 20 : 36, 1500, "200.0", 3);
  stReportStats s = Stats(lines);
  ASSERT_EQ(s.Stretches.size(), 1u);
  std::string text = StatisticsText(s);
  EXPECT_NE(text.find("Duration                                     100 s\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("1 stretch, 20 s (20.0 %)"), std::string::npos) << text;
  EXPECT_NE(text.find("  20 s to 40 s: largest shortfall 16.00 km/h at 20 s, gear 3\n"),
            std::string::npos)
      << text;

  std::string row = StatisticsCsvRow("fleet/a, b", "fleet/a, b/r.txt", "v.veh", "c.trq", s);
  EXPECT_EQ(row.rfind("\"fleet/a, b\",\"fleet/a, b/r.txt\",v.veh,c.trq,100,1.0000,", 0), 0u)
      << row;
  // As many fields as the header, counting the two quoted commas out.
  size_t commas = 0;
  for (char c : row) commas += c == ',';
  size_t headerCommas = 0;
  for (char c : StatisticsCsvHeader()) headerCommas += c == ',';
  EXPECT_EQ(commas - 2, headerCommas);
  EXPECT_EQ(row.substr(row.size() - 11), ",1,20,20.00");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
}

}  // namespace
