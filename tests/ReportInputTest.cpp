// What ReportD reads: the result file, refused with its line and column when
// malformed, and the vehicle and curve of DATA, against which a result file
// of another vehicle is refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "TestUtil.h"
#include "output/ResultLine.h"
#include "report/ResultData.h"
#include "report/SvgChart.h"
#include "report/VehicleData.h"

namespace {

using testutil::Conversion;
using testutil::kTruckCurve;
using testutil::kTruckVehicle;

const std::string kHeader = std::string(kResultHeader) + "\n";
const char kIdleLine[] = "0\t0.00\t0.00\t600.0\t0.0\t0.00\t0.00\t0\n";

// A short drive of the truck through gears 2 to 4 or 5.
const char kDrivePattern[] =
    "t\tv\n0\tIDLE\n10\tIDLE\n30\t30\n60\t30\n70\t50\n100\t50\n115\tIDLE\n120\tIDLE\n";

std::string ReadError(const std::string& content) {
  testutil::TempDir dir;
  dir.Write("r.txt", content);
  std::vector<stResultRow> rows;
  std::string error;
  EXPECT_FALSE(ReadResultFile(dir.File("r.txt"), rows, error)) << content;
  return error.substr(error.find("r.txt"));
}

TEST(ReportResultFile, MalformedFilesAreRefusedWithLineAndColumn) {
  struct Case {
    std::string content;
    const char* message;
  } cases[] = {
      {"", "r.txt: is empty, not a result file of ConvertD"},
      {"time(s)\tspeed\n" + std::string(kIdleLine),
       "r.txt: line 1: \"time(s)\\x09speed\" is not the header line of a result file"},
      {kHeader, "r.txt: has no data line after its header"},
      {kHeader + "0\t0.00\t0.00\t600.0\t0.0\t0.00\t0.00\n",
       "r.txt: line 2: has 7 columns where a result line has 8 separated by tabs"},
      {kHeader + kIdleLine + "\n" + kIdleLine, "r.txt: line 3: has 1 column where"},
      {kHeader + "0 0.00 0.00 600.0 0.0 0.00 0.00 0\n", "r.txt: line 2: has 1 column where"},
      {kHeader + "0\t0.00\tM\t600.0\t0.0\t0.00\t0.00\t0\n",
       "r.txt: line 2: column Vreal(km/h): \"M\" is not a number"},
      {kHeader + "0\t0,50\t0.00\t600.0\t0.0\t0.00\t0.00\t0\n",
       "r.txt: line 2: column Vtarget(km/h): \"0,50\" is not a number"},
      {kHeader + "0\t0.00\t0.00\t600.0\tx\t0.00\t0.00\t0\n",
       "r.txt: line 2: column Te(N-m): \"x\" is not a number or M"},
      {kHeader + "0\t0.00\t0.00\t600.\t0.0\t0.00\t0.00\t0\n",
       "r.txt: line 2: column Ne(rpm): \"600.\" is not a number"},
      {kHeader + "1.5\t0.00\t0.00\t600.0\t0.0\t0.00\t0.00\t0\n",
       "r.txt: line 2: column time(s): \"1.5\" is not a whole number"},
      {kHeader + "0\t0.00\t0.00\t600.0\t0.0\t0.00\t0.00\tN\n",
       "r.txt: line 2: column Shift: \"N\" is not a whole number"},
      {kHeader + "0\t0.00\t0.00\t600.0\t0.0\t0.00\t0.00\t99999999999\n",
       "r.txt: line 2: column Shift: \"99999999999\" is too large a number"},
      {kHeader + "5\t0.00\t0.00\t600.0\t0.0\t0.00\t0.00\t0\n" + kIdleLine,
       "r.txt: line 3: time 0 s lies before the time 5 s of line 2"},
  };
  for (const Case& c : cases) {
    std::string error = ReadError(c.content);
    EXPECT_EQ(error.rfind(c.message, 0), 0u) << "got: " << error << "\nwanted: " << c.message;
  }
}

TEST(ReportResultFile, ReadsMarkersAndLineEnds) {
  testutil::TempDir dir;
  // M in the three columns that mark negative values, a negative zero, a
  // carriage return before the line feed and no line feed at the end.
  dir.Write("r.txt", std::string(kResultHeader) + "\r\n" +
                         "7\t30.00\t28.50\t1005.3\tM\tM\tM\t3\r\n"
                         "7\t30.00\t29.00\t1010.0\t-0.0\t21.50\t-0.00\t3\r\n"
                         "8\t30.00\t30.00\t1020.0\t12.5\t22.00\t5.00\t3");
  std::vector<stResultRow> rows;
  std::string error;
  ASSERT_TRUE(ReadResultFile(dir.File("r.txt"), rows, error)) << error;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].LineNo, 2);
  EXPECT_EQ(rows[0].Time, 7);
  EXPECT_DOUBLE_EQ(rows[0].Vreal, 28.5);
  EXPECT_DOUBLE_EQ(rows[0].Ne, 1005.3);
  EXPECT_TRUE(rows[0].TeNegative && rows[0].NnormNegative && rows[0].TnormNegative);
  EXPECT_EQ(rows[0].Te, 0);
  EXPECT_FALSE(rows[1].TeNegative);
  EXPECT_EQ(rows[1].Time, 7);
  EXPECT_DOUBLE_EQ(rows[2].Te, 12.5);
  EXPECT_EQ(rows[2].Gear, 3);
  EXPECT_TRUE(LooksLikeResultFile(dir.File("r.txt")));
  dir.Write("other.txt", "time(s)\n");
  EXPECT_FALSE(LooksLikeResultFile(dir.File("other.txt")));
}

TEST(ReportVehicle, ReadsTheVehicleAndCurveAsTheConverterDoes) {
  Conversion c(kDrivePattern, kTruckVehicle, kTruckCurve);
  stReportVehicle v;
  std::string error;
  ASSERT_TRUE(ReadReportVehicle(c.dir.path(), v, error)) << error;
  EXPECT_EQ(v.VehicleName, "vehicle.txt");
  EXPECT_EQ(v.CurveName, "curve.txt");
  EXPECT_EQ(v.GearNum, 6);
  EXPECT_DOUBLE_EQ(v.Nidle, 600);
  EXPECT_DOUBLE_EQ(v.MaxNe, 2500);
  EXPECT_DOUBLE_EQ(v.Nex, 2700);
  EXPECT_DOUBLE_EQ(v.Nes, 695);

  TCalculateProc proc;
  testutil::SetUpTruck(proc);
  for (double ne = -500; ne <= 4000; ne += 37.5) {
    EXPECT_EQ(v.FullLoad(ne), proc.GetLineReviseMaxTorque(ne)) << ne;
  }
  for (int gear = 1; gear <= 6; ++gear) {
    for (double speed : {3.7, 25.0, 88.8}) {
      double ne = 0;
      ASSERT_EQ(proc.GetNe(gear, speed, ne), 1);
      EXPECT_EQ(v.EngineSpeed(gear, speed), ne) << gear << " " << speed;
    }
  }
}

TEST(ReportVehicle, MissingNameFileOrVehicleIsAnError) {
  testutil::TempDir dir;
  stReportVehicle v;
  std::string error;
  EXPECT_FALSE(ReadReportVehicle(dir.path(), v, error));
  EXPECT_NE(error.find("/DATA: cannot be read"), std::string::npos) << error;
  dir.Write("DATA", "p.txt\nnone.veh\ncurve.txt\n");
  dir.Write("curve.txt", kTruckCurve);
  EXPECT_FALSE(ReadReportVehicle(dir.path(), v, error));
  EXPECT_NE(error.find("none.veh: cannot be read"), std::string::npos) << error;
}

// A conversion of the truck checked against variants of its vehicle and
// curve: only the truck itself fits.
TEST(ReportVehicle, AResultOfAnotherVehicleIsRefused) {
  Conversion c(kDrivePattern, kTruckVehicle, kTruckCurve);
  ASSERT_EQ(c.Run().status, 0);
  std::vector<stResultRow> rows;
  std::string error;
  ASSERT_TRUE(ReadResultFile(c.dir.File("out.txt"), rows, error)) << error;
  stReportVehicle truck;
  ASSERT_TRUE(ReadReportVehicle(c.dir.path(), truck, error)) << error;
  EXPECT_TRUE(CheckResultFitsVehicle(rows, truck, "out.txt", error)) << error;

  auto replace = [](std::string text, const char* from, const char* to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, std::strlen(from), to);
  };
  struct Case {
    std::string vehicle, curve;
    const char* message;
  } cases[] = {
      {replace(kTruckVehicle, "\n600\n", "\n650\n"), kTruckCurve, "gives N_norm"},
      {replace(kTruckVehicle, "\n2500\n", "\n2600\n"), kTruckCurve, "gives N_norm"},
      {kTruckVehicle, replace(kTruckCurve, "1200,700", "1200,720"), "gives T_norm"},
      {replace(kTruckVehicle, "4.111", "4.3"), kTruckCurve,
       "does not fit the gear ratios and tyre"},
      {replace(kTruckVehicle, "0.470", "0.480"), kTruckCurve,
       "does not fit the gear ratios and tyre"},
  };
  for (const Case& k : cases) {
    c.dir.Write("vehicle.txt", k.vehicle);
    c.dir.Write("curve.txt", k.curve);
    stReportVehicle other;
    ASSERT_TRUE(ReadReportVehicle(c.dir.path(), other, error)) << error;
    error.clear();
    EXPECT_FALSE(CheckResultFitsVehicle(rows, other, "out.txt", error)) << k.message;
    EXPECT_NE(error.find(k.message), std::string::npos) << error;
    EXPECT_NE(error.find("was not made with the vehicle vehicle.txt and the curve curve.txt"),
              std::string::npos)
        << error;
  }

  // A gear the vehicle does not have.
  rows[0].Gear = 7;
  EXPECT_FALSE(CheckResultFitsVehicle(rows, truck, "out.txt", error));
  EXPECT_NE(error.find("out.txt: line 2: gear 7, but the vehicle has 6 gears"), std::string::npos)
      << error;
}

TEST(ReportCharts, MinMaxReductionKeepsEveryPeak) {
  // 86,400 points of a noisy signal with single-point spikes.
  std::vector<stPoint> points;
  unsigned seed = 7;
  for (int t = 0; t <= 86400; ++t) {
    seed = seed * 1103515245u + 12345u;
    double y = (seed >> 16) % 1000 / 10.0;
    if (t % 9973 == 0) y = 500 + t / 1000.0;  // spikes
    if (t % 7919 == 0) y = -50;               // dips
    points.push_back({static_cast<double>(t), y});
  }
  const int columns = 1000;
  std::vector<stPoint> reduced = ReduceMinMax(points, 0, 86400, columns);
  EXPECT_LE(reduced.size(), 4u * columns);
  for (size_t i = 1; i < reduced.size(); ++i) EXPECT_LE(reduced[i - 1].X, reduced[i].X);
  for (const stPoint& p : points) {
    if (p.Y < 500 && p.Y > -50) continue;
    bool kept = false;
    for (const stPoint& q : reduced) kept = kept || (q.X == p.X && q.Y == p.Y);
    EXPECT_TRUE(kept) << p.X;
  }
  // The lowest and highest value of every column survive.
  std::vector<double> lo(columns, 1e9), hi(columns, -1e9), rlo(columns, 1e9), rhi(columns, -1e9);
  auto column = [&](double x) { return std::min(columns - 1, static_cast<int>(x / 86400 * columns)); };
  for (const stPoint& p : points) {
    lo[column(p.X)] = std::min(lo[column(p.X)], p.Y);
    hi[column(p.X)] = std::max(hi[column(p.X)], p.Y);
  }
  for (const stPoint& p : reduced) {
    rlo[column(p.X)] = std::min(rlo[column(p.X)], p.Y);
    rhi[column(p.X)] = std::max(rhi[column(p.X)], p.Y);
  }
  EXPECT_EQ(lo, rlo);
  EXPECT_EQ(hi, rhi);

  // A series with no more than two points per column is drawn whole.
  std::vector<stPoint> few(points.begin(), points.begin() + 2000);
  EXPECT_EQ(ReduceMinMax(few, 0, 2000, columns).size(), 2000u);
}

TEST(ReportCharts, AxesHaveRoundTicksAndUnits) {
  stAxis a = NiceAxis(0, 2687.3, 6, "engine speed [rpm]");
  EXPECT_EQ(a.Ticks, (std::vector<double>{0, 500, 1000, 1500, 2000, 2500, 3000}));
  stAxis t = TimeAxis(0, 745);
  EXPECT_EQ(t.Title, "time [s]");
  EXPECT_EQ(t.Max, 745);  // a time axis spans the cycle, not a round number
  EXPECT_EQ(t.Ticks.back(), 700);
  stAxis day = TimeAxis(0, 86400);
  EXPECT_EQ(day.Title, "time [h]");
  EXPECT_EQ(day.Divisor, 3600);
  EXPECT_EQ(day.Ticks[1], 5 * 3600);
}

}  // namespace
