// End to end: whole conversions of realistic trucks and cycles, checked
// record by record for what the conversion guarantees.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>

#include "TestUtil.h"

namespace {

using testutil::Conversion;
using testutil::Fields;
using testutil::Lines;

struct Row {
  int time;
  double vtarget, vreal, ne, te;
  bool teMarked;
  int gear;
};

std::vector<Row> Rows(const std::string& result) {
  std::vector<Row> rows;
  std::vector<std::string> lines = Lines(result);
  EXPECT_FALSE(lines.empty());
  for (size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> f = Fields(lines[i]);
    EXPECT_EQ(f.size(), 8u) << lines[i];
    if (f.size() != 8) continue;
    Row r;
    r.time = std::atoi(f[0].c_str());
    r.vtarget = std::atof(f[1].c_str());
    r.vreal = std::atof(f[2].c_str());
    r.ne = std::atof(f[3].c_str());
    r.teMarked = f[4] == "M";
    r.te = r.teMarked ? -1 : std::atof(f[4].c_str());
    r.gear = std::atoi(f[7].c_str());
    rows.push_back(r);
  }
  return rows;
}

// Full-load torque of a curve given as "Ne,Te" lines after a header.
double FullLoad(const std::string& curve, double ne) {
  std::map<double, double> pts;
  std::vector<std::string> lines = Lines(curve);
  for (size_t i = 1; i < lines.size(); ++i) {
    size_t comma = lines[i].find(',');
    pts[std::atof(lines[i].substr(0, comma).c_str())] = std::atof(lines[i].substr(comma + 1).c_str());
  }
  auto b = pts.lower_bound(ne);
  if (b == pts.end()) --b;
  if (b == pts.begin()) ++b;
  auto a = std::prev(b);
  return (b->second - a->second) / (b->first - a->first) * (ne - a->first) + a->second;
}

// What every conversion guarantees, record by record.
void CheckProperties(const std::vector<Row>& rows, const std::string& curve, double nidle,
                     double nex, int gears) {
  for (const Row& r : rows) {
    SCOPED_TRACE("time " + std::to_string(r.time));
    EXPECT_LE(r.vreal, r.vtarget + 0.01);  // never ahead of the target
    EXPECT_GE(r.ne, nidle - 0.05);
    EXPECT_LE(r.ne, nex + 0.05);
    if (!r.teMarked) {
      EXPECT_LE(r.te, FullLoad(curve, r.ne) + 0.1);
    }
    EXPECT_GE(r.gear, 0);
    EXPECT_LE(r.gear, gears);
    if (r.vtarget == 0 && r.vreal == 0) {
      EXPECT_EQ(r.ne, nidle);  // standing: idle
    }
    if (r.gear == 0) {
      EXPECT_EQ(r.te, 0);
    }
  }
}

// Corner points of a stop-and-go cycle: hard starts the engine cannot
// follow at full load, cruising, decelerations and stops.
const char kCornerPattern[] =
    "time\tspeed\n"
    "0\tIDLE\n10\tIDLE\n20\t40\n50\t40\n70\t10\n80\t0\n95\t0\n"
    "115\t60\n160\t60\n175\t45\n200\t45\n205\t70\n240\t70\n270\t0\n290\tIDLE\n";

TEST(Conversion, HeavyTruckCornerPointsWithoutGears) {
  Conversion c(kCornerPattern, testutil::kTruckVehicle, testutil::kTruckCurve);
  testutil::RunResult r = c.Run();
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  std::vector<Row> rows = Rows(c.Result());
  ASSERT_EQ(rows.size(), 291u);
  CheckProperties(rows, testutil::kTruckCurve, 600, 2700, 6);
  // The hard starts are beyond the truck at full load: it falls behind.
  EXPECT_LT(rows[20].vreal, rows[20].vtarget - 1);
  EXPECT_LT(rows[205].vreal, rows[205].vtarget - 10);
  EXPECT_EQ(rows[213].vtarget, 70);
  EXPECT_LE(rows[213].vreal, 70);
  // Gears rise through the acceleration to 60 km/h and the gear falls
  // again on the way down.
  EXPECT_EQ(rows[96].gear, 2);
  EXPECT_GE(rows[140].gear, 4);
  EXPECT_GT(rows[140].gear, rows[100].gear);
  EXPECT_EQ(rows[285].gear, 0);
  int changes = 0;
  for (size_t i = 1; i < rows.size(); ++i) changes += rows[i].gear != rows[i - 1].gear;
  EXPECT_GE(changes, 8);
}

const char kSmallVehicle[] =
    "2000\n1500\n3\n2.3\n1.9\n0.36\n5\n5.0\n2.8\n1.7\n1.2\n1.0\n4.3\n700\n3500\n3800\n";
const char kSmallCurve[] =
    "Ne,Te\n700,120\n1000,180\n1500,250\n2000,280\n2500,280\n3000,260\n3500,220\n3800,150\n";

TEST(Conversion, SmallTruckCornerPointsWithoutGears) {
  Conversion c(kCornerPattern, kSmallVehicle, kSmallCurve);
  testutil::RunResult r = c.Run();
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  std::vector<Row> rows = Rows(c.Result());
  ASSERT_EQ(rows.size(), 291u);
  CheckProperties(rows, kSmallCurve, 700, 3800, 5);
  EXPECT_GT(rows[140].gear, rows[100].gear);
  // Not heavy: the summary shows the lighter vehicle's margins.
  EXPECT_NE(r.out.find("   1:    5.000     0.950       2.400"), std::string::npos) << r.out;
}

TEST(Conversion, GearsInEveryLineGiveCompleteRows) {
  std::string pattern = "t\tv\tgear\n";
  const double speeds[] = {0, 0, 3, 6, 9, 12, 15, 18, 20, 22, 24, 24, 24, 20, 15, 10, 5, 0, 0};
  const int gears[] = {0, 2, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 3, 3, 2, 0, 0};
  for (int t = 0; t < 19; ++t)
    pattern += std::to_string(t) + "\t" + std::to_string(speeds[t]) + "\t" + std::to_string(gears[t]) + "\n";
  Conversion c(pattern, testutil::kTruckVehicle, testutil::kTruckCurve);
  testutil::RunResult r = c.Run();
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = Lines(c.Result());
  ASSERT_EQ(lines.size(), 20u);
  for (size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> f = Fields(lines[i]);
    ASSERT_EQ(f.size(), 8u);
    for (const std::string& field : f) EXPECT_FALSE(field.empty()) << lines[i];
  }
  std::vector<Row> rows = Rows(c.Result());
  CheckProperties(rows, testutil::kTruckCurve, 600, 2700, 6);
  for (int t = 3; t <= 12; ++t) EXPECT_GT(rows[t].ne, 600) << t;
}

TEST(Conversion, NonIntegerPatternTime) {
  Conversion c("t\tv\n0\tIDLE\n2\tIDLE\n10.5\t17\n14\t17\n", testutil::kTruckVehicle,
               testutil::kTruckCurve);
  testutil::RunResult r = c.Run();
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<Row> rows = Rows(c.Result());
  ASSERT_EQ(rows.size(), 16u);  // 0 to 13 s, 10.5 s and 14 s
  std::vector<int> times;
  for (const Row& row : rows) times.push_back(row.time);
  EXPECT_EQ(times, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 11, 12, 13, 14}));
  EXPECT_EQ(rows[10].vtarget, 16.0);  // 2 km/h per s from 2 s
  EXPECT_EQ(rows[11].vtarget, 17.0);
  EXPECT_EQ(rows[12].vtarget, 17.0);
  EXPECT_EQ(rows[15].vtarget, 0.0);  // the last point closes no segment
}

TEST(Conversion, MovingStartWithoutGearStopsWithTimeAndGear) {
  Conversion c("t\tv\n0\t20\n30\t20\n", testutil::kTruckVehicle, testutil::kTruckCurve);
  testutil::RunResult r = c.Run();
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.out.substr(r.out.size() - 20), "Stopped with error.\n");
  EXPECT_NE(r.err.find("at time 0 s: gear 0 (neutral)"), std::string::npos) << r.err;
  EXPECT_FALSE(c.dir.Exists("out.txt"));
}

TEST(Conversion, GearBeyondTheBoxStopsWithTimeAndGear) {
  Conversion c("t\tv\tg\n0\t20\t9\n30\t20\t9\n", testutil::kTruckVehicle, testutil::kTruckCurve);
  testutil::RunResult r = c.Run();
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.err.find("at time 0 s: gear 9 is not a gear of the vehicle (1 to 6)"),
            std::string::npos) << r.err;
}

TEST(Conversion, MovingStartWithAGear) {
  Conversion c("t\tv\tg\n0\t20\t3\n30\t20\n40\t0\n", testutil::kTruckVehicle,
               testutil::kTruckCurve);
  testutil::RunResult r = c.Run();
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<Row> rows = Rows(c.Result());
  // The first record starts from rest and holds Nec without torque; the
  // acceleration phase then drives the truck up to the target.
  EXPECT_EQ(rows[0].vreal, 0);
  EXPECT_EQ(rows[0].ne, 676);
  EXPECT_EQ(rows[0].te, 0);
  EXPECT_EQ(rows[0].gear, 3);
  EXPECT_GT(rows[10].vreal, 15);
}

// The bundled example: what a new user sees first.
TEST(Conversion, BundledExample) {
  testutil::TempDir dir;
  for (const char* name : {"DATA", "urban.ptn", "truck14t.veh", "truck14t.trq"})
    dir.Write(name, testutil::ReadSourceFile(std::string("examples/") + name));
  testutil::RunResult r = testutil::RunConvertD(dir.path(), {"result.txt"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const char kSummary[] =
      "      \n"
      " GVW   =13610.00[kg]\n"
      " W0    = 6500.00[kg], Wtest =10055.00[kg]\n"
      " Width =   2.450[m],  Height=   3.200[m], Tire radius=   0.470[m]\n"
      " Crew  =  2\n"
      "\n"
      " Nidle =  600.00[rpm], Nrate = 2500.00[rpm], Nex  = 2700.00[rpm]\n"
      " Nes   =  695.00[rpm], Nec   =  676.00[rpm]\n"
      " MuAir =  0.022610 [kgf/(km/h)^2], MuRoll =  0.006880 [kgf/kg]\n"
      "\n"
      " Number of gear =  6\n"
      " gear   ratio  efficiency  torq margin    DW[kg]\n"
      "   1:    6.980     0.950       2.000     9955.47800 \n"
      "   2:    4.060     0.950       2.000     3669.30200 \n"
      "   3:    2.400     0.950       1.700     1578.20000 \n"
      "   4:    1.550     0.950       1.300      923.48750 \n"
      "   5:    1.000     0.980       1.300      650.00000 \n"
      "   6:    0.780     0.950       1.300      573.63800 \n"
      " fin:    4.111     0.950\n"
      "\n"
      "Convert finished!\n";
  ASSERT_GT(r.out.size(), sizeof kSummary);
  EXPECT_EQ(r.out.substr(r.out.size() - (sizeof kSummary - 1)), kSummary);
  EXPECT_EQ(r.out.rfind("Ver 1.1 Convert start!\n\b\b\b\b\b\b  2.7%", 0), 0u);

  std::vector<Row> rows = Rows(dir.Read("result.txt"));
  ASSERT_EQ(rows.size(), 746u);
  for (int t = 0; t < 746; ++t) EXPECT_EQ(rows[t].time, t);
  CheckProperties(rows, testutil::kTruckCurve, 600, 2700, 6);
  EXPECT_NEAR(rows[27].vtarget, 20.0 / 15 * 7, 0.005);  // up to 20 km/h between 20 s and 35 s
  EXPECT_EQ(rows[40].vtarget, 20.0);
}

}  // namespace
