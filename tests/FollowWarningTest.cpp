// The stretches far behind the target: their detection, shared by ConvertD
// and ReportD, ConvertD's warning on standard error and its command-line
// options.
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "output/FollowWarning.h"

namespace {

using testutil::Conversion;
using testutil::kTruckCurve;
using testutil::kTruckVehicle;

// Points on a 1 s grid at a target of 50 km/h; the reached speed is `behind`
// km/h lower from `from` to `to` (inclusive) and on target elsewhere.
std::vector<stFollowPoint> Trace(int length, int from, int to, double behind, int gear = 2) {
  std::vector<stFollowPoint> points;
  for (int t = 0; t < length; ++t) {
    stFollowPoint p;
    p.Time = t;
    p.Vtarget = 50;
    p.Vreal = t >= from && t <= to ? 50 - behind : 50;
    p.Gear = gear;
    points.push_back(p);
  }
  return points;
}

TEST(FollowStretches, OnlyMoreThan10KmhForMoreThan10Seconds) {
  struct Case {
    int from, to;
    double behind;
    size_t found;
  } cases[] = {
      {10, 21, 10.01, 1},  // 11 s, just more than 10 km/h
      {10, 20, 25.0, 0},   // 10 s is not more than 10 s
      {10, 21, 10.00, 0},  // 10.00 km/h is not more than 10 km/h
      {0, 99, 30.0, 1},    // the whole trace
      {89, 99, 30.0, 0},   // 10 s at the end
      {88, 99, 30.0, 1},   // 11 s at the end
  };
  for (const Case& c : cases) {
    std::vector<stFollowPoint> points = Trace(100, c.from, c.to, c.behind);
    std::vector<stFollowStretch> found = FindFollowStretches(points);
    ASSERT_EQ(found.size(), c.found) << c.from << "-" << c.to << " by " << c.behind;
    if (found.empty()) continue;
    EXPECT_EQ(found[0].Start, c.from);
    EXPECT_EQ(found[0].End, c.to);
    EXPECT_EQ(found[0].First, static_cast<size_t>(c.from));
    EXPECT_EQ(found[0].Last, static_cast<size_t>(c.to));
  }
}

TEST(FollowStretches, ShortfallTimeGearsAndShare) {
  std::vector<stFollowPoint> points = Trace(200, 20, 50, 12);
  points[30].Vreal = 20;  // 30 km/h behind at 30 s and 35 s: the first counts
  points[35].Vreal = 20;
  for (int t = 40; t <= 50; ++t) points[t].Gear = 3;
  points[45].Gear = 2;
  // A second stretch, and a short one between them that does not count.
  for (int t = 60; t <= 65; ++t) points[t].Vreal = 30;
  for (int t = 100; t <= 139; ++t) points[t].Vreal = 35;
  std::vector<stFollowStretch> found = FindFollowStretches(points);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_DOUBLE_EQ(found[0].MaxShortfall, 30);
  EXPECT_EQ(found[0].MaxShortfallTime, 30);
  EXPECT_EQ(found[0].Gears, (std::vector<int>{2, 3}));
  EXPECT_EQ(GearList(found[0].Gears), "2, 3");
  EXPECT_EQ(found[1].Start, 100);
  EXPECT_EQ(found[1].Duration(), 39);
  // 30 s + 39 s of a 199 s cycle.
  EXPECT_NEAR(FollowShare(found, points), 69.0 / 199 * 100, 1e-12);

  std::vector<std::string> lines = FollowWarningLines(found, points);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            "the vehicle could not follow the target speed: 2 stretches more than 10 km/h "
            "behind it for more than 10 s, 69 s of the 199 s cycle (34.7 %)");
  EXPECT_EQ(lines[1], "  20 s to 50 s (30 s): largest shortfall 30.00 km/h at 30 s, gears 2, 3");
  EXPECT_EQ(lines[2], "  100 s to 139 s (39 s): largest shortfall 15.00 km/h at 100 s, gear 2");
}

TEST(FollowStretches, SpeedsCompareAsPrinted) {
  // Rounded as the result file prints them; the double nearest 49.995 lies
  // just below the half and prints 49.99.
  EXPECT_EQ(SpeedCents(60.004), 6000);
  EXPECT_EQ(SpeedCents(49.995), 4999);
  EXPECT_EQ(SpeedCents(0.125), 12);
  EXPECT_EQ(SpeedCents(-1.5), -150);
  std::vector<stFollowPoint> points = Trace(30, 0, 29, 0);
  for (stFollowPoint& p : points) {
    p.Vtarget = 60.004;
    p.Vreal = 50.001;  // 10.003 below, printed 10.00 below: not more than 10
  }
  EXPECT_TRUE(FindFollowStretches(points).empty());
  for (stFollowPoint& p : points) p.Vreal = 49.994;  // printed 49.99: 10.01 below
  EXPECT_EQ(FindFollowStretches(points).size(), 1u);
}

// A target step from standstill to 60 km/h in one second leaves the truck
// in first gear at its top engine speed, far below the target.
const char kStepPattern[] =
    "t\tv\n0\tIDLE\n10\tIDLE\n11\t60\n80\t60\n140\t20\n150\tIDLE\n160\tIDLE\n";

TEST(FollowWarning, ConvertDWarnsOnStandardErrorOnly) {
  Conversion c(kStepPattern, kTruckVehicle, kTruckCurve);
  testutil::RunResult r = c.Run();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.find("warning"), std::string::npos);
  EXPECT_EQ(r.out.substr(r.out.size() - 18), "Convert finished!\n");
  std::vector<std::string> err = testutil::Lines(r.err);
  ASSERT_EQ(err.size(), 2u) << r.err;
  EXPECT_EQ(err[0].rfind("ConvertD: warning: the vehicle could not follow the target speed: 1 "
                         "stretch more than 10 km/h behind it for more than 10 s, ",
                         0),
            0u)
      << err[0];
  EXPECT_EQ(err[1].rfind("ConvertD: warning:   11 s to ", 0), 0u) << err[1];
  EXPECT_NE(err[1].find(", gear"), std::string::npos);

  // The stretch named is the one the result file shows: every line of it
  // more than 10 km/h behind, and the lines around it not.
  int start = 0, end = 0;
  ASSERT_EQ(std::sscanf(err[1].c_str(), "ConvertD: warning: %d s to %d s", &start, &end), 2);
  for (const std::string& line : testutil::Lines(c.Result())) {
    std::vector<std::string> f = testutil::Fields(line);
    if (f[0] == "time(s)") continue;
    int t = std::stoi(f[0]);
    double gap = std::stod(f[1]) - std::stod(f[2]);
    if (t >= start && t <= end) {
      EXPECT_GT(gap, 10) << line;
    }
    if (t == start - 1 || t == end + 1) {
      EXPECT_LE(gap, 10) << line;
    }
  }
}

TEST(FollowWarning, NoWarningWhenTheVehicleFollows) {
  Conversion c("t\tv\n0\tIDLE\n10\tIDLE\n30\t30\n60\t30\n75\tIDLE\n80\tIDLE\n", kTruckVehicle,
               kTruckCurve);
  testutil::RunResult r = c.Run();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
}

TEST(CommandLine, HelpAndVersionPrintAndExit) {
  testutil::TempDir dir;  // no DATA: the options must not start a conversion
  for (const char* option : {"-h", "--help"}) {
    testutil::RunResult r = testutil::RunConvertD(dir.path(), {option});
    EXPECT_EQ(r.status, 0) << option;
    EXPECT_EQ(r.out.rfind("Usage: ConvertD [RESULT-FILE]\n", 0), 0u) << option;
    EXPECT_EQ(r.err, "");
  }
  testutil::RunResult v = testutil::RunConvertD(dir.path(), {"--version"});
  EXPECT_EQ(v.status, 0);
  EXPECT_EQ(v.err, "");
  // The version is the one every run prints first.
  testutil::RunResult run = testutil::RunConvertD(dir.path(), {"out.txt"});
  ASSERT_EQ(v.out.rfind("ConvertD ", 0), 0u);
  std::string number = v.out.substr(9, v.out.size() - 10);
  EXPECT_EQ(run.out.rfind("Ver " + number + " ", 0), 0u) << v.out << run.out;
  EXPECT_TRUE(dir.List().empty());
}

TEST(CommandLine, AnyOtherFirstArgumentIsTheResultFile) {
  for (const char* name : {"-x", "--helpme", "-V", "--"}) {
    Conversion c("t\tv\n0\tIDLE\n2\tIDLE\n", kTruckVehicle, kTruckCurve);
    testutil::RunResult r = c.Run({name, "--help"});
    EXPECT_EQ(r.status, 0) << name;
    EXPECT_EQ(r.out.rfind("Ver 1.1 Convert start!\n", 0), 0u) << name;
    EXPECT_TRUE(c.dir.Exists(name)) << name;
  }
}

}  // namespace
