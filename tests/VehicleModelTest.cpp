// The vehicle model: masses, resistance, speed relations, the per-gear
// table, the torque demand and its full-load limit.
#include <gtest/gtest.h>

#include <cmath>

#include "TestUtil.h"

namespace {

// A vehicle with the default engine speeds and a four-gear box.
void SetUpSmall(TCalculateProc& p) {
  p.SetConstants();
  p.W0 = p.TestW0 = 3000;
  p.Payload = 2000;
  p.TestPayload = 1000;
  p.Crew = 3;
  p.Width = 2;
  p.Height = 2.5;
  p.TireRadius = 0.5;
  p.GearNum = 4;
  p.GearRatio = {6.0, 3.5, 2.0, 1.0};
  p.FinalRatio = 4.0;
  p.Nidle = 500;
  p.Nrate = 3000;
  p.Nex = 3100;
  p.MaxNe = p.GetMaxNe();
  p.Nec = 600;
  p.Nes = 625;
  ASSERT_TRUE(p.GetExceedF());
}

TEST(Gearing, RatiosAndTheirFailures) {
  TCalculateProc p;
  SetUpSmall(p);
  double x = 77;
  EXPECT_EQ(p.GetGeariN(4, x), 1);
  EXPECT_EQ(x, 4.0);
  x = 77;
  EXPECT_EQ(p.GetGeariN(5, x), -1);
  EXPECT_EQ(x, 77);
  for (int gear : {5, 0, -1}) {
    x = 77;
    EXPECT_EQ(p.GetGearHi(gear, x), -1) << gear;
    EXPECT_EQ(x, 1.0);
    x = 77;
    EXPECT_EQ(p.GetNe(gear, 30, x), -1) << gear;
    EXPECT_EQ(p.GetV(gear, 1000, x), -1) << gear;
    EXPECT_EQ(x, 77);
    EXPECT_EQ(p.GetGearPass(gear), 1.0) << gear;
  }
  p.GearRatio.clear();
  EXPECT_EQ(p.GetGearHi(1, x), -1);
  EXPECT_EQ(p.GetGearPass(1), 0);
}

TEST(Gearing, EngineSpeedUsesPiOf314) {
  TCalculateProc p;
  SetUpSmall(p);
  p.GearRatio = {2.5};
  double ne;
  ASSERT_EQ(p.GetNe(1, 36, ne), 1);  // iN = 10
  EXPECT_EQ(ne, 36.0 / 60 * 10 * 1000 / (2 * 3.14 * 0.5));
  EXPECT_EQ(p.GetNe(1, 0, ne), 1);
  EXPECT_EQ(ne, 0);
  for (double v : {3.3, 36.0, 87.25, -12.0}) {
    double n, back;
    ASSERT_EQ(p.GetNe(1, v, n), 1);
    ASSERT_EQ(p.GetV(1, n, back), 1);
    EXPECT_NEAR(back, v, 1e-12);
  }
}

TEST(PerGearTable, DownshiftSpeedsEfficienciesAndMargins) {
  TCalculateProc p;
  SetUpSmall(p);
  p.GearNum = 6;
  p.GearRatio = {6.0, 3.5, 2.0, 1.0, 0.8, 0.7};
  // GVW 2000 + 3000 + 3 x 55 = 5165 kg: not heavy.
  ASSERT_TRUE(p.GetExceedF());
  const double ndown[] = {625, 625, 775, 975, 1150, 1150};
  const double light[] = {2.4, 2.4, 1.7, 1.6, 1.6, 1.6};
  const double heavy[] = {2.0, 2.0, 1.7, 1.3, 1.3, 1.3};
  int g = 0;
  for (const stExceedForce& row : p.ExceedForce) {
    EXPECT_EQ(row.GearNo, g + 1);
    EXPECT_EQ(row.Ndown, ndown[g]);
    EXPECT_EQ(row.TorqueMargin, light[g]);
    EXPECT_EQ(row.Efficiency, g == 3 ? 0.98 : 0.95);
    ++g;
  }
  EXPECT_EQ(g, 6);
  // Exactly 8000 kg counts as heavy, 55 kg less does not.
  p.W0 = 5835;  // GVW 2000 + 5835 + 3 x 55 = 8000 kg
  ASSERT_TRUE(p.GetExceedF());
  g = 0;
  for (const stExceedForce& row : p.ExceedForce) EXPECT_EQ(row.TorqueMargin, heavy[g++]);
  p.Crew = 2;
  ASSERT_TRUE(p.GetExceedF());
  g = 0;
  for (const stExceedForce& row : p.ExceedForce) EXPECT_EQ(row.TorqueMargin, light[g++]);
  // A ratio that only nearly is 1 is not direct drive.
  p.GearRatio[3] = 1.0000001;
  EXPECT_EQ(p.GetGearPass(4), 0.95);
  p.GearNum = 0;
  EXPECT_TRUE(p.GetExceedF());
  EXPECT_TRUE(p.ExceedForce.empty());
}

TEST(WeightAndResistance, TestMassAndRollingAndAirTerms) {
  TCalculateProc p;
  SetUpSmall(p);
  EXPECT_EQ(p.GetCarWeight(false, 0), 1000 + 3000 + 55.0);
  EXPECT_EQ(p.GetCarWeight(false, 99), p.GetCarWeight(false, 1));
  EXPECT_EQ(p.GetCarWeight(true, 2), 3000 * 0.07 + 3000 + 3000 * 0.03 * 3.5 * 3.5 + 1000 + 55.0);
  EXPECT_EQ(p.GetCarWeight(true, 9), 3000 * 0.07 + 3000 + 3000 * 0.03 * 1 * 1 + 1000 + 55.0);
  double w = 4055;
  EXPECT_EQ(p.CalcRL(0), (17.6 / w + 0.00513) * w);
  EXPECT_EQ(p.CalcRL(50), p.CalcRL(-50));
  EXPECT_EQ(p.CalcRL(50), (17.6 / w + 0.00513) * w + (0.00299 * 2 * 2.5 - 0.000832) * 50 * 50);
}

TEST(TorqueDemand, FormulaAndFullLoadLimit) {
  TCalculateProc p;
  SetUpSmall(p);
  MAX_TORQUE a, b;
  a.Ne = 1000, a.Te = 400, b.Ne = 2000, b.Te = 500;
  p.MaxTorque.assign({a, b});
  double te;
  ASSERT_EQ(p.GetTe_NotRevise(3, 0, 0, 0, te), 1);
  double r = 0.5, iN = 8.0, g = 9.8;
  EXPECT_EQ(te, (g * r) / (iN * 0.95 * 0.95) * (p.GetCarWeight(true, 3) / g * 0 + p.CalcRL(0)));
  // Demand above full load at a positive engine speed: exactly full load.
  double unlimited;
  ASSERT_EQ(p.GetTe_NotRevise(1, 20, 4, 1500, unlimited), 1);
  ASSERT_GT(unlimited, 450);
  ASSERT_EQ(p.GetTe(1, 20, 4, 1500, te), 1);
  EXPECT_EQ(te, 450);
  // No limit at an engine speed of 0 or below, nor from a curve that gives 0.
  ASSERT_EQ(p.GetTe(1, 20, 4, 0, te), 1);
  EXPECT_EQ(te, unlimited);
  ASSERT_EQ(p.GetTe(1, 20, 4, -5, te), 1);
  EXPECT_EQ(te, unlimited);
  p.MaxTorque.clear();
  ASSERT_EQ(p.GetTe(1, 20, 4, 1500, te), 1);
  EXPECT_EQ(te, unlimited);
  // A negative demand is never raised; direct drive uses 0.98.
  p.MaxTorque.assign({a, b});
  ASSERT_EQ(p.GetTe(4, 20, -3, 1500, te), 1);
  EXPECT_LT(te, 0);
  double t4;
  ASSERT_EQ(p.GetTe_NotRevise(4, 0, 0, 0, t4), 1);
  EXPECT_EQ(t4, (g * r) / (4.0 * 0.98 * 0.95) * (p.GetCarWeight(true, 4) / g * 0 + p.CalcRL(0)));
  // Beyond the extrapolated zero of a falling curve the limit is negative.
  b.Te = 300;
  p.MaxTorque.assign({a, b});
  ASSERT_EQ(p.GetTe(4, 20, 0, 7000, te), 1);
  EXPECT_EQ(te, p.GetLineReviseMaxTorque(7000));
  EXPECT_LT(te, 0);
  te = 5;
  EXPECT_EQ(p.GetTe(9, 20, 0, 1000, te), -1);
  EXPECT_EQ(p.GetTe_NotRevise(0, 20, 0, 1000, te), -1);
  EXPECT_EQ(te, 5);
}

TEST(DrivingForce, ReserveTest) {
  TCalculateProc p;
  testutil::SetUpTruck(p);
  // A demand at full load fails every margin.
  double ne;
  ASSERT_EQ(p.GetNe(2, 20, ne), 1);
  double limited;
  ASSERT_EQ(p.GetTe(2, 20, 5, ne, limited), 1);
  ASSERT_EQ(limited, p.GetLineReviseMaxTorque(ne));
  for (int g = 1; g <= 6; ++g) EXPECT_FALSE(p.CheckForce(g, 20, 50)) << g;
  // Cruising at 40 km/h in gear 4 leaves a large reserve.
  EXPECT_TRUE(p.CheckForce(4, 40, 0));
  EXPECT_TRUE(p.CalcForceWithNeSet(2, 0, 1000));
  EXPECT_FALSE(p.CalcForceWithNeSet(2, -10, 1000));
  EXPECT_FALSE(p.CalcForceWithNeSet(2, 700 / 2.0, 1200));   // 2.0 exactly is not more
  EXPECT_TRUE(p.CalcForceWithNeSet(2, 700 / 2.01, 1200));
  EXPECT_FALSE(p.CheckForce(7, 40, 0));
  EXPECT_FALSE(p.CheckForce(0, 40, 0));
}

class AttainableSpeed : public testing::Test {
 protected:
  void SetUp() override { testutil::SetUpTruck(p); }
  // Demand at v reached from vStart over dt, and full load at ne.
  double Margin(int gear, double dt, double vStart, double v, double ne) {
    double te;
    EXPECT_EQ(p.GetTe_NotRevise(gear, v, (v - vStart) / dt * 1000 / 3600, ne, te), 1);
    return p.GetLineReviseMaxTorque(ne) - te;
  }
  TCalculateProc p;
};

TEST_F(AttainableSpeed, AttainableTargetsComeBackUnchanged) {
  double v = 21, ne = 0;
  ASSERT_TRUE(p.CalcTeMaxSp(3, 1.0, 20, v, ne));
  EXPECT_EQ(v, 21);
  double expected;
  p.GetNe(3, 21, expected);
  EXPECT_EQ(ne, expected);  // not raised to Nes
  v = 2;
  ASSERT_TRUE(p.CalcTeMaxSp(2, 1.0, 1.5, v, ne));
  p.GetNe(2, 2, expected);
  EXPECT_EQ(ne, expected);
  EXPECT_LT(ne, p.Nes);
  // No acceleration: nothing to limit.
  v = 18;
  ASSERT_TRUE(p.CalcTeMaxSp(3, 1.0, 20, v, ne));
  EXPECT_EQ(v, 18);
}

TEST_F(AttainableSpeed, UnattainableTargetsMeetFullLoad) {
  struct Case {
    int gear;
    double vStart, target;
  } cases[] = {{2, 10, 20}, {3, 20, 30}, {4, 30, 45}, {5, 40, 50}, {6, 50, 55}, {1, 0, 12}};
  for (const Case& c : cases) {
    double v = c.target, ne = 0;
    ASSERT_TRUE(p.CalcTeMaxSp(c.gear, 1.0, c.vStart, v, ne)) << c.gear;
    EXPECT_GT(v, c.vStart);
    EXPECT_LT(v, c.target);
    double margin = Margin(c.gear, 1.0, c.vStart, v, ne);
    EXPECT_GE(margin, 0) << c.gear;
    EXPECT_LT(margin, 1e-6) << c.gear;
    double n;
    p.GetNe(c.gear, v, n);
    EXPECT_EQ(ne, n < p.Nes ? p.Nes : n);
  }
}

TEST_F(AttainableSpeed, SpeedsBeyondNexAreCutBack) {
  double atNex;
  ASSERT_EQ(p.GetV(2, p.Nex, atNex), 1);
  // Attainable after the cut-back: both outputs belong to Nex.
  double v = 60, ne = 0;
  ASSERT_TRUE(p.CalcTeMaxSp(2, 1.0, atNex - 0.1, v, ne));
  EXPECT_EQ(v, atNex);
  EXPECT_EQ(ne, p.Nex);
  // Decelerating towards a speed beyond Nex still cuts back.
  v = 90;
  ASSERT_TRUE(p.CalcTeMaxSp(2, 1.0, 95, v, ne));
  EXPECT_EQ(v, atNex);
}

TEST_F(AttainableSpeed, EmptyCurveGivesTheQuarterPoint) {
  p.MaxTorque.clear();
  double v = 20, ne = 0;
  ASSERT_TRUE(p.CalcTeMaxSp(3, 1.0, 12, v, ne));
  EXPECT_EQ(v, (20.0 - 12) / 2 + 12 - (20.0 - 12) / 4);
}

TEST_F(AttainableSpeed, GearWithoutRatioFails) {
  double v = 20, ne = 0;
  EXPECT_FALSE(p.CalcTeMaxSp(0, 1.0, 12, v, ne));
  EXPECT_FALSE(p.CalcTeMaxSp(7, 1.0, 12, v, ne));
}

}  // namespace
