// Pass 3's driver and its phase setters: idle, start, steady state,
// deceleration, acceleration and the start following.
#include <gtest/gtest.h>

#include <cmath>

#include "TestUtil.h"

namespace {

using Pos = TCalculateProc::Pos;

class PhaseSetters : public testing::Test {
 protected:
  void SetUp() override { testutil::SetUpTruck(proc); }
  Pos Rec(int i) { return proc.CalcData.begin() + i; }
  TCalculateProc proc;
};

TEST_F(PhaseSetters, ProgressTextsAndRunCounting) {
  // Run lengths 1 and 2: a record of a code no pass produces, then two
  // standstill records.
  testutil::MakeTrace(proc, {0, 0, 0});
  Rec(0)->Mode = 3;
  testing::internal::CaptureStdout();
  ASSERT_TRUE(proc.Calculate_progress3());
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "\b\b\b\b\b\b 33.3%\b\b\b\b\b\b100.0%\b\b\b\b\b\b      \n\b\b\b\b\b\b      \n");
  EXPECT_EQ(Rec(0)->Ne, 0);  // no setter for that code
  EXPECT_EQ(Rec(1)->Ne, 600);
  EXPECT_EQ(proc.CalcCursor, proc.CalcData.end());

  proc.CalcData.clear();
  testing::internal::CaptureStdout();
  ASSERT_TRUE(proc.Calculate_progress3());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "\b\b\b\b\b\b      \n");
}

TEST_F(PhaseSetters, IdleAndStartValues) {
  testutil::MakeTrace(proc, {0, 0, 0, 0});
  Rec(1)->Gear = 3;
  ASSERT_TRUE(proc.Calculate_SetIDLE(Rec(0), Rec(2)));
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Rec(i)->Ne, 600);
    EXPECT_EQ(Rec(i)->Te, 0);
    EXPECT_EQ(Rec(i)->RL, proc.CalcRL(0.0));
    EXPECT_EQ(Rec(i)->Fixed, 1);
  }
  EXPECT_EQ(Rec(1)->Gear, 3);  // the pattern's gear stays
  Rec(2)->TKind = 2;
  Rec(2)->Gear = 3;
  Rec(3)->Gear = 4;
  ASSERT_TRUE(proc.Calculate_Set_Start(Rec(2), Rec(4)));
  EXPECT_EQ(Rec(2)->Gear, 0);
  EXPECT_EQ(Rec(2)->Ne, 600);
  EXPECT_EQ(Rec(2)->RL, proc.CalcRL(0.0));
  EXPECT_EQ(Rec(2)->Vreal, 0);
  EXPECT_EQ(Rec(2)->Fixed, 0);
  EXPECT_EQ(Rec(3)->RL, proc.CalcRL(0.0));  // kept from the start record
  EXPECT_EQ(Rec(3)->Gear, 0);
}

TEST_F(PhaseSetters, DecelerationReachesEveryTarget) {
  testutil::MakeTrace(proc, {50, 40, 30, 20, 10});
  Rec(0)->Vreal = 50;
  Rec(0)->Gear = 3;
  Rec(0)->GearTime = 70;
  for (int i = 1; i <= 4; ++i) Rec(i)->Gear = 3;
  ASSERT_TRUE(proc.Calculate_Set_Deceleration(Rec(1), Rec(4)));
  double a = (40.0 - 50) / (10 / 10.0) * 1000 / 3600;
  EXPECT_EQ(Rec(0)->AccMs2, a);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_NEAR(Rec(i)->Vreal, 50 - 10.0 * i, 1e-12);
    EXPECT_NEAR(Rec(i - 1)->AccMs2, -10.0 * 1000 / 3600, 1e-12);
    EXPECT_EQ(Rec(i)->GearTime, 70 + 10 * i);
    EXPECT_EQ(Rec(i)->Mode, 0);  // untouched: MakeTrace leaves 0, only release sets it
    double ne;
    proc.GetNe(3, Rec(i)->Vreal, ne);
    EXPECT_EQ(Rec(i)->Ne, ne);
    EXPECT_LT(Rec(i)->Te, 0);  // engine braking
  }
  EXPECT_EQ(Rec(4)->Vreal, 0);  // after the run: untouched
}

TEST_F(PhaseSetters, DecelerationReleasesTheClutchBelowNec) {
  testutil::MakeTrace(proc, {30, 20, 15, 10});
  Rec(0)->Vreal = 30;
  Rec(0)->GearTime = 40;
  Rec(1)->Gear = 5;  // 464 rpm at 20 km/h: below Nec
  Rec(2)->Gear = 3;
  for (int i = 1; i <= 2; ++i) Rec(i)->Mode = 4;
  ASSERT_TRUE(proc.Calculate_Set_Deceleration(Rec(1), Rec(3)));
  EXPECT_EQ(Rec(1)->Mode, 0);
  EXPECT_EQ(Rec(1)->Fixed, 1);
  EXPECT_EQ(Rec(1)->Gear, 0);
  EXPECT_EQ(Rec(1)->Ne, 600);
  EXPECT_EQ(Rec(1)->Te, 0);
  EXPECT_EQ(Rec(1)->GearTime, 0);
  EXPECT_NEAR(Rec(1)->Vreal, 20, 1e-12);
  EXPECT_EQ(Rec(2)->Mode, 4);  // the next record is again in its gear
  EXPECT_EQ(Rec(2)->Gear, 3);
  EXPECT_EQ(Rec(2)->GearTime, 10);
  EXPECT_GT(Rec(2)->Ne, proc.Nec);
}

TEST_F(PhaseSetters, SteadyStartFromRest) {
  testutil::MakeTrace(proc, {20, 20, 20});
  Rec(0)->Gear = 4;
  Rec(0)->Mode = 2;
  ASSERT_TRUE(proc.Calculate_Set_SteadyState(Rec(0), Rec(1)));
  EXPECT_EQ(Rec(0)->Vreal, 0);
  EXPECT_EQ(Rec(0)->Ne, proc.Nec);
  EXPECT_EQ(Rec(0)->Te, 0);
  EXPECT_EQ(Rec(0)->Fixed, 1);
  EXPECT_EQ(Rec(0)->Gear, 4);
  EXPECT_EQ(Rec(0)->GearTime, 10);
  EXPECT_EQ(Rec(0)->Mode, 2);
  Rec(0)->Gear = 0;  // no gear given: the vehicle model has nothing to use
  EXPECT_FALSE(proc.Calculate_Set_SteadyState(Rec(0), Rec(1)));
  EXPECT_NE(proc.CalcError.find("time 0 s: gear 0 (neutral)"), std::string::npos)
      << proc.CalcError;
}

TEST_F(PhaseSetters, AccelerationFollowsAGentleTarget) {
  testutil::MakeTrace(proc, {20, 21, 22, 23, 24});
  Rec(0)->Vreal = 20;
  Rec(0)->GearTime = 50;
  for (int i = 1; i <= 3; ++i) Rec(i)->Gear = 3;
  ASSERT_TRUE(proc.Calculate_Set_Acceleration(Rec(1), Rec(4)));
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(Rec(i)->Vreal, 20.0 + i);
    EXPECT_EQ(Rec(i - 1)->AccMs2, (1.0) / (10 / 10.0) * 1000 / 3600);
    EXPECT_EQ(Rec(i)->GearTime, 50 + 10 * i);
    EXPECT_GT(Rec(i)->Te, 0);
  }
}

TEST_F(PhaseSetters, AccelerationFloorsTheEngineSpeed) {
  // Constant speed: attainable, so the search leaves the engine speed of
  // the target speed, which the phase then raises.
  testutil::MakeTrace(proc, {5, 6, 6, 6});
  Rec(0)->Vreal = 5;
  Rec(0)->Gear = 2;
  Rec(1)->Gear = 0;  // takes the gear of the record before
  Rec(2)->Gear = 5;  // 139 rpm at 6 km/h: raised to Nes
  Rec(3)->Gear = 5;
  Rec(3)->TKind = 3;  // a gear change: raised to Nec only
  ASSERT_TRUE(proc.Calculate_Set_Acceleration(Rec(1), proc.CalcData.end()));
  EXPECT_EQ(Rec(1)->Gear, 2);
  EXPECT_EQ(Rec(2)->Ne, proc.Nes);
  double te;
  proc.GetTe(5, Rec(2)->Vreal, Rec(1)->AccMs2, proc.Nes, te);
  EXPECT_EQ(Rec(2)->Te, te);
  EXPECT_EQ(Rec(3)->Ne, proc.Nec);
  EXPECT_EQ(Rec(3)->GearTime, 0);
}

TEST_F(PhaseSetters, AccelerationRunExtendsWhileBehind) {
  // A steep target in gear 4: the truck falls behind and the phase takes
  // the following records in while their target is not below the speed
  // reached.
  testutil::MakeTrace(proc, {30, 38, 46, 50, 52, 30, 31});
  Rec(0)->Vreal = 30;
  for (int i = 1; i < 7; ++i) {
    Rec(i)->Gear = 4;
    Rec(i)->Mode = i <= 2 ? 5 : 4;
  }
  Rec(4)->Gear = 2;  // overwritten when the phase reaches record 3
  ASSERT_TRUE(proc.Calculate_Set_Acceleration(Rec(1), Rec(3)));
  EXPECT_LT(Rec(2)->Vreal, Rec(2)->Vtarget);
  EXPECT_EQ(Rec(3)->Mode, 5);
  EXPECT_EQ(Rec(4)->Mode, 5);
  EXPECT_EQ(Rec(4)->Gear, 4);
  EXPECT_GT(Rec(4)->Vreal, 30);
  EXPECT_EQ(Rec(5)->Mode, 4);  // its target lies below the speed reached
  EXPECT_EQ(Rec(5)->Gear, 4);
  EXPECT_EQ(Rec(5)->Vreal, 0);
}

TEST_F(PhaseSetters, AccelerationInNeutralFails) {
  testutil::MakeTrace(proc, {0, 5, 10});
  ASSERT_FALSE(proc.Calculate_Set_Acceleration(Rec(1), proc.CalcData.end()));
  EXPECT_NE(proc.CalcError.find("at time 1 s: gear 0 (neutral)"), std::string::npos)
      << proc.CalcError;
}

// The worked start: Nidle 500, Nes 625, tyre radius 0.3 m and iN 11 in the
// start gear 2, targets 2, 4, 6 and 8 km/h after the departure record.
class StartFollowing : public testing::Test {
 protected:
  void SetUp() override {
    p.SetConstants();
    p.W0 = p.TestW0 = 1000;
    p.Payload = p.TestPayload = 0;
    p.Crew = 1;
    p.Width = 1.8;
    p.Height = 1.6;
    p.TireRadius = 0.3;
    p.GearNum = 5;
    p.GearRatio = {4.0, 2.75, 1.8, 1.3, 1.0};
    p.FinalRatio = 4.0;
    p.Nidle = 500;
    p.Nrate = 3000;
    p.MaxNe = 3000;
    p.Nex = 3100;
    p.Nec = 600;
    p.Nes = 625;
    MAX_TORQUE a, b;
    a.Ne = 0, a.Te = 300, b.Ne = 4000, b.Te = 300;
    p.MaxTorque.assign({a, b});
    ASSERT_TRUE(p.GetExceedF());
    testutil::MakeTrace(p, {0, 2, 4, 6, 8, 10, 12});
    Rec(0)->Mode = 1;
    Rec(0)->TKind = 2;
    Rec(0)->GearTime = 30;
    for (int i = 1; i < 7; ++i) Rec(i)->Mode = 5;
  }
  Pos Rec(int i) { return p.CalcData.begin() + i; }
  TCalculateProc p;
};

TEST_F(StartFollowing, HoldsNesUntilPastTheIdleSpeed) {
  ASSERT_TRUE(p.Calculate_Set_Start(Rec(0), Rec(1)));
  p.CalcCursor = Rec(1);
  ASSERT_TRUE(p.Calculate_Start_Following(p.CalcCursor));
  EXPECT_EQ(p.CalcCursor, Rec(4));
  double vIdle = 2 * 3.14 * 0.3 / 1000 * 60 * 500 / 11.0;
  EXPECT_NEAR(vIdle, 5.14, 0.005);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(Rec(i)->Vreal, 2.0 * i);
    EXPECT_EQ(Rec(i)->Mode, 1);
    EXPECT_EQ(Rec(i)->Gear, 2);
    EXPECT_EQ(Rec(i)->GearTime, 30 + 10 * i);
    EXPECT_EQ(Rec(i)->Fixed, i == 4 ? 1 : 0);
  }
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(Rec(i)->Ne, 625);
  EXPECT_NEAR(Rec(4)->Ne, 778, 1);
  EXPECT_EQ(Rec(5)->Mode, 5);  // not reached
}

TEST_F(StartFollowing, FallsBackToGearOneWhenTheStartGearLacksTorque) {
  MAX_TORQUE a, b;
  a.Ne = 0, a.Te = 20, b.Ne = 4000, b.Te = 20;
  p.MaxTorque.assign({a, b});
  ASSERT_TRUE(p.Calculate_Set_Start(Rec(0), Rec(1)));
  p.CalcCursor = Rec(1);
  ASSERT_TRUE(p.Calculate_Start_Following(p.CalcCursor));
  for (Pos r = Rec(1); r <= p.CalcCursor; ++r) {
    EXPECT_EQ(r->Gear, 1);
    EXPECT_EQ(r->Mode, 1);
  }
}

TEST_F(StartFollowing, StopsBeforeAFallingTarget) {
  Rec(3)->Mode = 4;
  ASSERT_TRUE(p.Calculate_Set_Start(Rec(0), Rec(1)));
  p.CalcCursor = Rec(1);
  ASSERT_TRUE(p.Calculate_Start_Following(p.CalcCursor));
  EXPECT_EQ(p.CalcCursor, Rec(2));
  EXPECT_EQ(Rec(3)->Vreal, 0);
}

TEST_F(StartFollowing, EndsWithTheTrace) {
  p.CalcData.clear();
  testutil::MakeTrace(p, {0, 1, 2});
  Rec(0)->Mode = 1;
  Rec(1)->Mode = Rec(2)->Mode = 5;
  p.CalcCursor = Rec(1);
  ASSERT_TRUE(p.Calculate_Start_Following(p.CalcCursor));
  EXPECT_EQ(p.CalcCursor, Rec(2));
  // A departure record that is the last record: nothing to follow.
  p.CalcCursor = p.CalcData.end();
  ASSERT_TRUE(p.Calculate_Start_Following(p.CalcCursor));
  EXPECT_EQ(p.CalcCursor, Rec(2));
}

}  // namespace

namespace {

// The start gear carries the truck slowly over several records before a
// steep target needs gear 1; gear 1 turns the engine above Nes sooner, so
// the second moving-off ends earlier. The records it does not reach are
// driven by the acceleration run that follows, not set to idle in neutral
// as a second departure.
TEST(StartFallBack, RecordsBeyondTheSecondMovingOffAreDrivenOn) {
  testutil::Conversion c("t\tv\n0\t0\n1\t0\n2\t2\n3\t5\n4\t6\n5\t6.2\n6\t15\n7\t20\n8\t25\n9\t25\n",
                         testutil::kTruckVehicle, testutil::kTruckCurve);
  testutil::RunResult r = c.Run();
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = testutil::Lines(c.Result());
  ASSERT_EQ(lines.size(), 11u);
  for (int t = 2; t <= 8; ++t) {
    std::vector<std::string> f = testutil::Fields(lines[t + 1]);
    EXPECT_NE(f[7], "0") << lines[t + 1];        // in gear
    EXPECT_GT(std::stod(f[3]), 690) << lines[t + 1];  // not idling
  }
}

}  // namespace

namespace {

// Stand, depart, accelerate, brake, stand: every run reaches its setter in
// time order, and the acceleration run begins after the moving-off.
TEST(Pass3, StopGoStopTrace) {
  TCalculateProc p;
  testutil::SetUpTruck(p);
  std::vector<double> targets = {0, 0, 0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20,
                                 20, 20, 16, 12, 8, 4, 0, 0, 0};
  testutil::MakeTrace(p, targets);
  ASSERT_TRUE(p.Calculate_progress2());
  ASSERT_TRUE(p.Calculate_T1T2Set());
  testing::internal::CaptureStdout();
  ASSERT_TRUE(p.Calculate_progress3());
  std::string progress = testing::internal::GetCapturedStdout();
  // The moving-off records are never counted: the count stays below 100 %.
  EXPECT_EQ(progress.find("100.0%"), std::string::npos);
  EXPECT_EQ(progress.substr(progress.size() - 13), "\b\b\b\b\b\b      \n");

  auto rec = [&](int i) { return p.CalcData.begin() + i; };
  for (int i : {0, 1}) {
    EXPECT_EQ(rec(i)->Ne, 600);
    EXPECT_EQ(rec(i)->Fixed, 1);
  }
  EXPECT_EQ(rec(2)->TKind, 2);  // the departure record idles in neutral
  EXPECT_EQ(rec(2)->Gear, 0);
  EXPECT_EQ(rec(2)->Ne, 600);
  int i = 3;
  while (rec(i)->Mode == 1) {
    EXPECT_EQ(rec(i)->Gear, 2);
    EXPECT_GE(rec(i)->Ne, p.Nes);
    ++i;
  }
  EXPECT_GT(i, 3);  // the start following moved the truck off
  for (; i <= 14; ++i) {
    EXPECT_EQ(rec(i)->Mode, 5) << i;
    EXPECT_GE(rec(i)->Gear, 2) << i;
    EXPECT_EQ(rec(i)->Vreal, targets[i]) << i;
  }
  for (; i <= 18; ++i) {
    EXPECT_TRUE(rec(i)->Mode == 4 || rec(i)->Mode == 0) << i;
    EXPECT_NEAR(rec(i)->Vreal, targets[i], 1e-9) << i;
  }
  for (; i <= 21; ++i) {
    EXPECT_EQ(rec(i)->Ne, 600) << i;
    EXPECT_EQ(rec(i)->Te, 0) << i;
  }
}

}  // namespace
