// The initialisation: DATA, the vehicle specification with its defaults and
// gear-dependent lines, the derived engine speeds and the rejections.
#include <gtest/gtest.h>
#include <unistd.h>

#include "TestUtil.h"

namespace {

const char kPattern[] = "t\tv\n0\tIDLE\n3\t10\t2\n";
const char kCurve[] = "Ne,Te\n1000,400\n2000,500\n3000,450\n";

// EnvRead reads DATA in the working folder: each test runs in its own.
class VehicleReader : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    dir.Write("DATA", "p.txt\nv.txt\nc.txt\n");
    dir.Write("p.txt", kPattern);
    dir.Write("c.txt", kCurve);
  }
  void TearDown() override { ASSERT_EQ(chdir(cwd), 0); }

  bool Read(const std::string& vehicle) {
    dir.Write("v.txt", vehicle);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    bool ok = proc.EnvRead();
    out = testing::internal::GetCapturedStdout();
    err = testing::internal::GetCapturedStderr();
    return ok;
  }

  char cwd[4096];
  testutil::TempDir dir;
  TCalculateProc proc;
  std::string out, err;
};

TEST_F(VehicleReader, TwoLinesTakeEveryDefault) {
  // TireRadius defaults to 0, which no conversion can use: it is refused,
  // but the defaults are read first.
  EXPECT_FALSE(Read("3000\n1000\n"));
  EXPECT_EQ(proc.Crew, 0);
  EXPECT_EQ(proc.Height, 0);
  EXPECT_EQ(proc.Width, 0);
  EXPECT_EQ(proc.TireRadius, 0);
  EXPECT_EQ(proc.GearNum, 7);
  EXPECT_EQ(proc.GearRatio, std::vector<double>(7, 1.0));
  EXPECT_EQ(proc.FinalRatio, 4.711);
  EXPECT_EQ(proc.Nidle, 500);
  EXPECT_EQ(proc.Nrate, 3000);
  EXPECT_EQ(proc.Nex, 3100);
  EXPECT_EQ(proc.MaxNe, 3000);
  EXPECT_EQ(proc.Nec, 600);
  EXPECT_EQ(proc.Nes, 625);
  EXPECT_NE(err.find("v.txt: line 6: tyre radius 0 m must be above 0"), std::string::npos);
}

TEST_F(VehicleReader, LinesAfterTheGearCountMoveWithIt) {
  ASSERT_TRUE(Read("6500  W0 [kg]\n7000,payload\n2 persons\n3.2\n2.45\n0.47\n5\n"
                   "6\n3.5\n2\n1.0\n0.8\n4.1\n600\n2500.9\n2700\n99\n"));
  EXPECT_EQ(proc.W0, 6500);
  EXPECT_EQ(proc.TestW0, 6500);
  EXPECT_EQ(proc.Payload, 7000);
  EXPECT_EQ(proc.TestPayload, 3500);
  EXPECT_EQ(proc.Crew, 2);
  EXPECT_EQ(proc.GearNum, 5);
  EXPECT_EQ(proc.GearRatio, (std::vector<double>{6, 3.5, 2, 1.0, 0.8}));
  EXPECT_EQ(proc.FinalRatio, 4.1);
  EXPECT_EQ(proc.Nidle, 600);
  EXPECT_EQ(proc.Nrate, 2500.9);
  EXPECT_EQ(proc.MaxNe, 2500);  // truncated, not rounded
  EXPECT_EQ(proc.Nex, 2700);
  EXPECT_EQ(proc.Nec, (2500 - 600) * 4.0 / 100 + 600);
  EXPECT_EQ(proc.Nes, (2500 - 600) * 5.0 / 100 + 600);
  EXPECT_EQ(proc.ExceedForce.size(), 5u);
  EXPECT_EQ(proc.MaxTorque.size(), 3u);
  EXPECT_EQ(proc.CalcData.size(), 4u);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "");
}

TEST_F(VehicleReader, EmptyLinesAndFractionalGearCount) {
  ASSERT_TRUE(Read("6500\n7000\n\n\n\n0.5\n3.7\n\n2\n\n\n\n\n"));
  EXPECT_EQ(proc.GearNum, 3);
  EXPECT_EQ(proc.GearRatio, (std::vector<double>{1.0, 2, 1.0}));
  EXPECT_EQ(proc.FinalRatio, 4.711);
  EXPECT_EQ(proc.Nidle, 500);
}

TEST_F(VehicleReader, RequiredLinesAndRejections) {
  struct Case {
    const char* vehicle;
    const char* message;
  } cases[] = {
      {" 6500\n7000\n", "line 1: the vehicle weight W0 is not given"},
      {"6500\n", "line 2: the payload is not given"},
      {"-1\n7000\n0\n3\n2\n0.5\n", "line 1: vehicle weight W0 -1 is below 0"},
      {"6500\n-5\n0\n3\n2\n0.5\n", "line 2: payload -5 is below 0"},
      {"6500\n7000\n0\n3\n2\nx\n", "line 6: tyre radius 0 m must be above 0"},
      {"6500\n7000\n0\n3\n2\n0.5\n2\n5\n0\n", "line 9: ratio 0 of gear 2 must be above 0"},
      {"6500\n7000\n0\n3\n2\n0.5\n1\n5\n-4\n", "line 9: final ratio -4 must be above 0"},
      {"6500\n7000\n0\n3\n2\n0.5\n101\n", "line 7: gear count \"101\" is above 100"},
      {"6500\n7000\n0\n3\n2\n0.5\n1\n5\n4\n500\n3000\n625\n",
       "line 12: Nex 625 rpm must lie above Nes 625 rpm"},
      {"6500\n1e999\n", "line 2: payload \"1e999\" is too large a number"},
      {"6500\n7000\n0\n3\n2\n0.5\n1\n5\n4\n500\n3000\n-1e400\n",
       "line 12: Nex \"-1e400\" is too large a number"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(Read(c.vehicle)) << c.vehicle;
    EXPECT_NE(err.find(std::string("v.txt: ") + c.message), std::string::npos) << err;
    EXPECT_EQ(out, "") << c.vehicle;
  }
}

TEST_F(VehicleReader, DataLinesNameTheFiles) {
  dir.Write("DATA", "\"p.txt\" pattern\nv.txt, vehicle\n");
  EXPECT_FALSE(Read("6500\n7000\n0\n3\n2\n0.5\n"));
  EXPECT_EQ(out, "File Not Found. []\n");  // line 3 is missing
}

TEST_F(VehicleReader, ReadsThePatternBeforeTheVehicle) {
  dir.Write("DATA", "none.ptn\nnone.veh\nc.txt\n");
  EXPECT_FALSE(Read("6500\n7000\n"));
  EXPECT_EQ(out, "File Not Found. [none.ptn]\n");
}

TEST_F(VehicleReader, CurveIsNotReadForARefusedVehicle) {
  dir.Write("DATA", "p.txt\nv.txt\nnone.trq\n");
  EXPECT_FALSE(Read("6500\n-7000\n0\n3\n2\n0.5\n"));
  EXPECT_EQ(out, "");  // no missing-file message for the curve
}

}  // namespace
