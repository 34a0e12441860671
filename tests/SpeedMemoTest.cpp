// The memo of the attainable-speed search: inside its scope a question asked
// again gets the answer worked out before, bit for bit; outside, nothing is
// remembered.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "TestUtil.h"
#include "model/SpeedMemo.h"

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(SpeedMemo, FindsOnlyWhatWasStoredBitForBit) {
  TSpeedMemo memo;
  memo.Store(3, 1.0, 20.0, 30.0, true, 25.5, 1800.25);
  const TSpeedMemo::Entry* e = memo.Find(3, 1.0, 20.0, 30.0);
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->result);
  EXPECT_EQ(e->v, 25.5);
  EXPECT_EQ(e->ne, 1800.25);
  EXPECT_EQ(memo.Find(4, 1.0, 20.0, 30.0), nullptr);
  EXPECT_EQ(memo.Find(3, 0.5, 20.0, 30.0), nullptr);
  EXPECT_EQ(memo.Find(3, 1.0, 20.000000000000004, 30.0), nullptr);
  EXPECT_EQ(memo.Find(3, 1.0, 20.0, 30.000000000000004), nullptr);
  // -0 is not 0 here: the outputs could carry the sign.
  memo.Store(2, 1.0, 0.0, 0.0, true, 0.0, 0.0);
  EXPECT_EQ(memo.Find(2, 1.0, -0.0, 0.0), nullptr);
  EXPECT_EQ(memo.Find(2, 1.0, 0.0, -0.0), nullptr);
  EXPECT_NE(memo.Find(2, 1.0, 0.0, 0.0), nullptr);
  memo.Clear();
  EXPECT_EQ(memo.Find(2, 1.0, 0.0, 0.0), nullptr);
}

TEST(SpeedMemo, AScopeOpensItEmptyAndClosesIt) {
  TSpeedMemo memo;
  memo.Store(3, 1.0, 20.0, 30.0, true, 25.5, 1800.25);
  EXPECT_FALSE(memo.Active());
  {
    TSpeedMemo::Scope scope(memo);
    EXPECT_TRUE(memo.Active());
    EXPECT_EQ(memo.Find(3, 1.0, 20.0, 30.0), nullptr);
    memo.Store(3, 1.0, 20.0, 30.0, true, 25.5, 1800.25);
  }
  EXPECT_FALSE(memo.Active());
  EXPECT_EQ(memo.Find(3, 1.0, 20.0, 30.0), nullptr);
}

// Many questions, many of them asked again: with the memo the answers are
// those of a conversion object that works every one of them out.
TEST(SpeedMemo, AnswersAsTheSearchItself) {
  TCalculateProc worked, remembered;
  testutil::SetUpTruck(worked);
  testutil::SetUpTruck(remembered);
  TSpeedMemo::Scope scope(remembered.SpeedMemo);
  std::mt19937 random(8);
  std::uniform_int_distribution<int> gear(0, 7);
  std::uniform_real_distribution<double> speed(0, 90), step(-3, 12);
  struct Question {
    int gear;
    double dt, vStart, v;
  };
  std::vector<Question> asked;
  for (int i = 0; i < 40; ++i) {
    double vStart = speed(random);
    asked.push_back({gear(random), i % 3 ? 1.0 : 0.5, vStart, vStart + step(random)});
  }
  // The same speeds over another step, or in another gear.
  asked.push_back({asked[0].gear, 2.0, asked[0].vStart, asked[0].v});
  asked.push_back({asked[1].gear == 3 ? 4 : 3, asked[1].dt, asked[1].vStart, asked[1].v});
  asked.push_back({3, 1.0, 0.0, -0.0});
  asked.push_back({3, 1.0, -0.0, 0.0});
  std::uniform_int_distribution<size_t> pick(0, asked.size() - 1);
  for (size_t i = 0; i < 400; ++i) {
    const Question& q = asked[i < asked.size() ? i : pick(random)];
    double v1 = q.v, ne1 = -1, v2 = q.v, ne2 = -1;
    bool r1 = worked.CalcTeMaxSp(q.gear, q.dt, q.vStart, v1, ne1);
    bool r2 = remembered.CalcTeMaxSp(q.gear, q.dt, q.vStart, v2, ne2);
    EXPECT_EQ(r1, r2) << i;
    EXPECT_TRUE(SameBits(v1, v2)) << i;
    EXPECT_TRUE(SameBits(ne1, ne2)) << i;
  }
}

TEST(SpeedMemo, NothingIsRememberedOutsidePassThree) {
  TCalculateProc p;
  testutil::SetUpTruck(p);
  double v = 30, ne = 0;
  ASSERT_TRUE(p.CalcTeMaxSp(3, 1.0, 20, v, ne));
  const double limited = v;
  EXPECT_LT(limited, 30);
  // A stronger engine: the same question gets a new answer.
  std::vector<MAX_TORQUE> curve(p.MaxTorque.begin(), p.MaxTorque.end());
  for (MAX_TORQUE& m : curve) m.Te *= 2;
  p.MaxTorque.assign(curve);
  v = 30;
  ASSERT_TRUE(p.CalcTeMaxSp(3, 1.0, 20, v, ne));
  EXPECT_GT(v, limited);
}

}  // namespace
