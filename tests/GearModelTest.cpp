// The gear model of the attainable-speed search gives exactly the values of
// the per-call model operations it stands for.
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "model/GearModel.h"

namespace {

TEST(GearModel, SameDoublesAsThePerCallOperations) {
  TCalculateProc p;
  testutil::SetUpTruck(p);
  const double speeds[] = {0, 0.37, 3, 12.5, 29.999999, 47.3, 60, 88.8, -4};
  const double accelerations[] = {0, 0.05, 1.3888, -0.7, 3.2};
  for (int gear = 1; gear <= p.GearNum; ++gear) {
    TGearModel m;
    ASSERT_TRUE(MakeGearModel(p, gear, m)) << gear;
    for (double v : speeds) {
      double ne;
      ASSERT_EQ(p.GetNe(gear, v, ne), 1);
      EXPECT_EQ(m.Ne(v), ne) << gear << " " << v;
      double back;
      ASSERT_EQ(p.GetV(gear, ne * 1.01, back), 1);
      EXPECT_EQ(m.V(ne * 1.01), back) << gear << " " << v;
      EXPECT_EQ(RunningResistance(m.rolling, m.airCoefficient, v), p.CalcRL(v));
      for (double acc : accelerations) {
        double te;
        ASSERT_EQ(p.GetTe_NotRevise(gear, v, acc, ne, te), 1);
        EXPECT_EQ(m.Demand(v, acc), te) << gear << " " << v << " " << acc;
      }
    }
    double atNex;
    ASSERT_EQ(p.GetV(gear, p.Nex, atNex), 1);
    EXPECT_EQ(m.V(p.Nex), atNex);
  }
}

TEST(GearModel, GearsWithoutRatioHaveNoModel) {
  TCalculateProc p;
  testutil::SetUpTruck(p);
  TGearModel m;
  m.iN = 77;
  for (int gear : {0, -1, 7}) {
    EXPECT_FALSE(MakeGearModel(p, gear, m)) << gear;
    EXPECT_EQ(m.iN, 77);
  }
}

}  // namespace
