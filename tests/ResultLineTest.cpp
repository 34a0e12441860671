// The formats of the result file: two-stage rounding, markers and the
// normalised columns.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "output/ResultLine.h"

namespace {

std::string TwoStage(double v) {
  std::string s;
  AppendTwoStage(v, s);
  return s;
}

// The two-stage rounding as printf does it, the reference.
std::string TwoStagePrintf(double v) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%f", v);
  buf[std::strlen(buf) - 1] = '\0';
  double back = std::strtod(buf, nullptr);
  std::snprintf(buf, sizeof buf, "%.1f", back);
  return buf;
}

std::string Fixed2Printf(double v) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  return buf;
}

TEST(TwoStageRounding, BoundaryValuesPrintLikeTheBoundary) {
  EXPECT_EQ(TwoStage(1.25 + 4e-6), "1.2");   // direct "%.1f" gives 1.3
  EXPECT_EQ(TwoStage(0.05 - 4e-7), "0.1");   // direct "%.1f" gives 0.0
  EXPECT_EQ(TwoStage(1.25), "1.2");
  EXPECT_EQ(TwoStage(600), "600.0");
  EXPECT_EQ(TwoStage(1005.349999), "1005.3");
  EXPECT_EQ(TwoStage(0), "0.0");
  EXPECT_EQ(TwoStage(-0.0), "-0.0");
  EXPECT_EQ(TwoStage(-1e-9), "-0.0");
  EXPECT_EQ(TwoStage(1e20), "100000000000000000000.0");
}

TEST(TwoStageRounding, MatchesPrintfOnManyValues) {
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> wide(-5000, 5000);
  std::uniform_int_distribution<int> tenths(-50000, 50000);
  std::uniform_int_distribution<int> jitter(-12, 12);
  for (int i = 0; i < 200000; ++i) {
    double v;
    if (i % 2 == 0) {
      v = wide(rng);
    } else {
      // Near the rounding boundaries of the first decimal.
      v = (tenths(rng) + 0.5) / 10 + jitter(rng) * 1e-6;
    }
    ASSERT_EQ(TwoStage(v), TwoStagePrintf(v)) << v;
    std::string f2;
    AppendFixed2(v, f2);
    ASSERT_EQ(f2, Fixed2Printf(v)) << v;
  }
  for (double v : {0.125, 0.375, 2.675, 1.005, -0.001, -0.0, 1e15 + 0.5}) {
    std::string f2;
    AppendFixed2(v, f2);
    EXPECT_EQ(f2, Fixed2Printf(v)) << v;
  }
}

stCalculateData Rec(double time10, double ne, double te, int gear = 3) {
  stCalculateData r;
  r.Time10 = time10;
  r.Vtarget = 20;
  r.Vreal = 19.996;
  r.Ne = ne;
  r.Te = te;
  r.Gear = gear;
  r.PrintMark = 1;
  return r;
}

std::string Line(const stCalculateData& r, double fullLoad, double nidle = 500,
                 double maxNe = 3000) {
  std::string s;
  EXPECT_EQ(AppendResultLine(r, fullLoad, nidle, maxNe, s), nullptr);
  return s;
}

TEST(ResultLine, ColumnsAndMarkers) {
  struct Case {
    stCalculateData rec;
    double fullLoad;
    std::string line;
  } cases[] = {
      {Rec(105, 1750, 200), 400, "10\t20.00\t20.00\t1750.0\t200.0\t50.00\t50.00\t3\n"},
      {Rec(10, 3000, 0), 400, "1\t20.00\t20.00\t3000.0\t0.0\t100.00\t0.00\t3\n"},
      {Rec(15, 500, 400), 400, "1\t20.00\t20.00\t500.0\t400.0\t0.00\t100.00\t3\n"},
      {Rec(20, 1000, -12.5), 400, "2\t20.00\t20.00\t1000.0\tM\t20.00\tM\t3\n"},
      {Rec(20, 1000, -12.5), 0, "2\t20.00\t20.00\t1000.0\tM\t20.00\t0.00\t3\n"},
      {Rec(20, 1000, 50), -10, "2\t20.00\t20.00\t1000.0\t50.0\t20.00\t0.00\t3\n"},
      {Rec(20, 400, 0, 0), 400, "2\t20.00\t20.00\t400.0\t0.0\tM\t0.00\t0\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Line(c.rec, c.fullLoad), c.line);
}

TEST(ResultLine, NoEngineRangePrintsAMarker) {
  EXPECT_EQ(Line(Rec(0, 800, 10), 400, 800, 800), "0\t20.00\t20.00\t800.0\t10.0\tM\t2.50\t3\n");
}

TEST(ResultLine, RefusesNonFiniteValues) {
  std::string s;
  stCalculateData r = Rec(30, NAN, 10);
  EXPECT_STREQ(AppendResultLine(r, 400, 500, 3000, s), "Ne(rpm)");
  r = Rec(30, 1000, -INFINITY);
  EXPECT_STREQ(AppendResultLine(r, 400, 500, 3000, s), "Te(N-m)");
  r = Rec(30, 1000, 10);
  r.Vreal = INFINITY;
  EXPECT_STREQ(AppendResultLine(r, 400, 500, 3000, s), "Vreal(km/h)");
  r = Rec(30, 1000, 10);
  EXPECT_STREQ(AppendResultLine(r, NAN, 500, 3000, s), "T_norm(%)");
}

}  // namespace
