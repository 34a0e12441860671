// The full-load curve: reading and the lookup with its interpolation and
// extrapolation.
#include <gtest/gtest.h>

#include "TestUtil.h"

namespace {

class Curve : public testing::Test {
 protected:
  int Read(const std::string& text) {
    dir.Write("c.txt", text);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int result = proc.ReadMaxTorqueData(dir.File("c.txt"));
    out = testing::internal::GetCapturedStdout();
    err = testing::internal::GetCapturedStderr();
    return result;
  }
  double At(double ne) { return proc.GetLineReviseMaxTorque(ne); }

  testutil::TempDir dir;
  TCalculateProc proc;
  std::string out, err;
};

TEST_F(Curve, InterpolatesAndExtrapolatesInAnyFileOrder) {
  for (const char* text : {"Ne,Te\n1000,400\n2000,500\n3000,450\n",
                           "Ne Te\n3000 450\n1000\t400\n\n2000, 500\n2000,999\n1,2,3\n"}) {
    ASSERT_EQ(Read(text), 1);
    ASSERT_EQ(proc.MaxTorque.size(), 3u);
    EXPECT_EQ(At(1500), 450);
    EXPECT_EQ(At(2000), 500);
    EXPECT_EQ(At(1000), 400);
    EXPECT_EQ(At(500), 350);
    EXPECT_EQ(At(3500), 425);
    EXPECT_EQ(At(12000), 0);
    EXPECT_LT(At(13000), 0);
  }
}

TEST_F(Curve, SkipsLinesThatAreNotPoints) {
  ASSERT_EQ(Read("h\n 1000,400\n2000,500,7\n\"\",5\n1500,450\n2500,300\n"), 1);
  ASSERT_EQ(proc.MaxTorque.size(), 2u);
  EXPECT_EQ(proc.MaxTorque.begin()->Ne, 1500);
}

TEST_F(Curve, DegenerateCurves) {
  ASSERT_EQ(Read("h\n"), 1);
  EXPECT_EQ(At(1000), 0);
  ASSERT_EQ(Read("h\n1000,400\n"), 1);
  EXPECT_EQ(At(2000), 0);
  EXPECT_EQ(At(1000), 0);
  EXPECT_EQ(At(500), 0);
}

TEST_F(Curve, LongLinesSplitAt99Characters) {
  std::string longLine = std::string(98, ' ') + "5\n";  // the 5 starts a line of its own
  ASSERT_EQ(Read("h\n" + longLine + "1000,400\n2000,500\n"), 1);
  EXPECT_EQ(proc.MaxTorque.size(), 2u);
}

TEST_F(Curve, MissingFileAndOverflow) {
  testing::internal::CaptureStdout();
  EXPECT_EQ(proc.ReadMaxTorqueData(dir.File("none")), -1);
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            dir.File("none") + "\n\nThe file is not found.\n");
  EXPECT_EQ(Read("h\n1000,400\n2000,1e999\n"), -1);
  EXPECT_NE(err.find("line 3: \"1e999\" is too large a number"), std::string::npos) << err;
}

}  // namespace
