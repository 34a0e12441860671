// Pass 1 (target speeds), BtwnCarASet, Pass 2 (driving modes) and the
// marking of departures.
#include <gtest/gtest.h>

#include "TestUtil.h"

namespace {

class TracePasses : public testing::Test {
 protected:
  void SetUp() override { proc.SetConstants(); }
  void ReadPattern(const std::string& text) {
    dir.Write("p.txt", text);
    ASSERT_TRUE(proc.PtnRead(dir.File("p.txt")));
  }
  stCalculateData& At(double key) { return *proc.CalcData.find(key); }
  std::vector<int> Modes() {
    std::vector<int> modes;
    for (const stCalculateData& r : proc.CalcData) modes.push_back(r.Mode);
    return modes;
  }

  TCalculateProc proc;
  testutil::TempDir dir;
};

TEST_F(TracePasses, Pass1InterpolatesBetweenPatternPoints) {
  ReadPattern("h\n0\tIDLE\n10\t20\n20\t20\n");
  ASSERT_TRUE(proc.Calculate_progress1());
  EXPECT_EQ(proc.CalcCursor, proc.CalcData.end());
  for (int t = 0; t < 10; ++t) {
    const stCalculateData& r = At(t * 10);
    EXPECT_EQ(r.AccKmhS, 2);
    EXPECT_EQ(r.AccMs2, 2.0 * 1000 / 3600);
    EXPECT_EQ(r.Vtarget, 2.0 * t);
    EXPECT_EQ(r.SegTime, t);
    EXPECT_EQ(r.Fixed, 1);
  }
  for (int t = 10; t < 20; ++t) {
    const stCalculateData& r = At(t * 10);
    EXPECT_EQ(r.AccKmhS, 0);
    EXPECT_EQ(r.Vtarget, 20);
    EXPECT_EQ(r.Fixed, 0);
    EXPECT_EQ(r.SegTime, t - 10);
  }
  EXPECT_EQ(At(200).Vtarget, 0);  // the last pattern point closes no segment
  EXPECT_EQ(At(200).SegTime, 0);
}

TEST_F(TracePasses, Pass1BeforeTheFirstPointAndBetweenGridPoints) {
  ReadPattern("h\n5\t10\n10.5\t21\n13\t26\n");
  ASSERT_TRUE(proc.Calculate_progress1());
  for (int t = 0; t < 5; ++t) {
    EXPECT_EQ(At(t * 10).Vtarget, 0);
    EXPECT_EQ(At(t * 10).SegTime, 0);
  }
  EXPECT_EQ(At(100).Vtarget, 2.0 * 5 + 10);
  EXPECT_EQ(At(105).Vtarget, 21);
  EXPECT_EQ(At(110).SegTime, 0.5);
  EXPECT_EQ(At(110).AccKmhS, 2);
  EXPECT_EQ(At(110).Vtarget, 2 * 0.5 + 21);
}

TEST_F(TracePasses, Pass1OnSinglePointAndEmptyTraces) {
  ReadPattern("h\n0\t30\n");
  ASSERT_TRUE(proc.Calculate_progress1());
  EXPECT_EQ(At(0).Vtarget, 0);
  proc.CalcData.clear();
  EXPECT_TRUE(proc.Calculate_progress1());
}

TEST_F(TracePasses, BtwnCarASetIsAForwardDifference) {
  testutil::MakeTrace(proc, {0, 0, 0, 0, 0});
  double speeds[] = {0, 3.6, 10.8, 10.8, 20};
  int i = 0;
  for (stCalculateData& r : proc.CalcData) {
    r.Vreal = speeds[i++];
    r.AccKmhS = r.AccMs2 = 99;
  }
  TCalculateProc::Pos b = proc.CalcData.begin();
  proc.BtwnCarASet(b + 2, b + 4);  // moves back to records 1 and 2
  EXPECT_EQ((b + 0)->AccKmhS, 99);
  EXPECT_EQ((b + 1)->AccKmhS, 10.8 - 3.6);
  EXPECT_EQ((b + 1)->AccMs2, (10.8 - 3.6) * 1000 / 3600);
  EXPECT_EQ((b + 2)->AccKmhS, 0);
  EXPECT_EQ((b + 3)->AccKmhS, 99);
  proc.BtwnCarASet(b, b + 1);  // from the first record: not moved
  EXPECT_EQ(b->AccKmhS, 3.6);
  proc.BtwnCarASet(b + 3, proc.CalcData.end());
  EXPECT_EQ((b + 3)->AccKmhS, 20 - 10.8);
  EXPECT_EQ((b + 4)->AccKmhS, 99);  // the last record is never changed
}

TEST_F(TracePasses, Pass2Modes) {
  struct Case {
    std::vector<double> targets;
    std::vector<int> modes;
  } cases[] = {
      {{0, 0, 2, 4, 4, 2, 0, 0}, {0, 5, 5, 5, 5, 4, 0, 0}},
      {{5, 5, 3}, {2, 5, 4}},
      {{0, 0, 0}, {0, 0, 0}},
      {{7}, {2}},
      {{0, 3, 0, 0, 2}, {5, 5, 0, 5, 5}},
      {{10, 20, 5, 8, 8}, {2, 5, 4, 5, 5}},
  };
  for (const Case& c : cases) {
    testutil::MakeTrace(proc, c.targets);
    ASSERT_TRUE(proc.Calculate_progress2());
    EXPECT_EQ(Modes(), c.modes);
  }
}

TEST_F(TracePasses, DeparturesAreMarked) {
  std::vector<double> targets = {0, 0, 0, 0, 0, 2, 4, 6, 8, 10, 12};
  testutil::MakeTrace(proc, targets);
  ASSERT_TRUE(proc.Calculate_progress2());
  ASSERT_TRUE(proc.Calculate_T1T2Set());
  const stCalculateData& start = At(40);
  EXPECT_EQ(start.Mode, 1);
  EXPECT_EQ(start.TKind, 2);
  EXPECT_EQ(start.GearTime, 30);
  EXPECT_EQ(start.Fixed, 0);
  EXPECT_EQ(start.StartMark, 1);
  EXPECT_EQ(start.StepLength, 10);
  EXPECT_EQ(At(50).Mode, 5);
  EXPECT_EQ(At(50).TKind, 0);
  EXPECT_EQ(At(50).GearTime, 0);
  EXPECT_EQ(At(100).StepLength, 0);
  EXPECT_EQ(proc.CalcCursor, proc.CalcData.end());

  struct Case {
    std::vector<double> targets;
    std::vector<int> modes;
  } cases[] = {
      {{0, 5, 10}, {1, 5, 5}},                        // the first record departs
      {{0, 0, 3, 0, 0, 4}, {0, 1, 5, 0, 1, 5}},       // two stops, two departures
      {{10, 5, 8, 8}, {2, 4, 5, 5}},                  // a dip that never stops
      {{5, 6, 0, 3}, {2, 5, 5, 5}},                   // a stop of one record: no departure
  };
  for (const Case& c : cases) {
    testutil::MakeTrace(proc, c.targets);
    ASSERT_TRUE(proc.Calculate_progress2());
    ASSERT_TRUE(proc.Calculate_T1T2Set());
    EXPECT_EQ(Modes(), c.modes);
  }
  proc.ShiftTime = 2.95;
  testutil::MakeTrace(proc, {0, 5});
  proc.Calculate_progress2();
  proc.Calculate_T1T2Set();
  EXPECT_EQ(proc.CalcData.begin()->GearTime, 29);
}

}  // namespace
