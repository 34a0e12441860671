// End to end: the run sequence's console messages, exit statuses and result
// file, and the guards of the result file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TestUtil.h"

namespace {

using testutil::Conversion;
using testutil::kTruckCurve;
using testutil::kTruckVehicle;
using testutil::RunConvertD;
using testutil::TempDir;

const char kHeader[] =
    "time(s)\tVtarget(km/h)\tVreal(km/h)\tNe(rpm)\tTe(N-m)\tN_norm(%)\tT_norm(%)\tShift\n";
const char kIdlePattern[] = "t\tv\n0\tIDLE\n2\tIDLE\n";

TEST(RunSequence, MissingDataFile) {
  TempDir dir;
  testutil::RunResult r = RunConvertD(dir.path(), {"out.txt"});
  EXPECT_EQ(r.out, "Ver 1.1 File Not Found. [DATA]\nStopped with error.\n");
  EXPECT_EQ(r.status, 255);
  EXPECT_FALSE(dir.Exists("out.txt"));
}

TEST(RunSequence, MissingInputFilesAreNamed) {
  Conversion c(kIdlePattern, kTruckVehicle, kTruckCurve);
  c.dir.Write("DATA", "pattern.txt\nnone.veh\ncurve.txt\n");
  testutil::RunResult r = c.Run();
  EXPECT_EQ(r.out, "Ver 1.1 File Not Found. [none.veh]\nStopped with error.\n");
  EXPECT_EQ(r.status, 255);
  c.dir.Write("DATA", "pattern.txt\n");
  r = c.Run();
  EXPECT_EQ(r.out, "Ver 1.1 File Not Found. []\nStopped with error.\n");
}

TEST(RunSequence, IdleRunWritesEveryRecord) {
  Conversion c(kIdlePattern, kTruckVehicle, kTruckCurve);
  testutil::RunResult r = c.Run({"out.txt", "ignored", "arguments"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out.rfind("Ver 1.1 Convert start!\n", 0), 0u);
  // Three standstill records make one run: the count reaches 100 % and the
  // clearing text comes twice.
  EXPECT_NE(r.out.find("\b\b\b\b\b\b100.0%\b\b\b\b\b\b      \n\b\b\b\b\b\b      \n GVW"),
            std::string::npos);
  EXPECT_EQ(r.out.substr(r.out.size() - 20), "\n\nConvert finished!\n");
  EXPECT_EQ(c.Result(), std::string(kHeader) +
                            "0\t0.00\t0.00\t600.0\t0.0\t0.00\t0.00\t0\n"
                            "1\t0.00\t0.00\t600.0\t0.0\t0.00\t0.00\t0\n"
                            "2\t0.00\t0.00\t600.0\t0.0\t0.00\t0.00\t0\n");
}

TEST(RunSequence, AsksForTheResultNameLast) {
  Conversion c(kIdlePattern, kTruckVehicle, kTruckCurve);
  testutil::RunResult r = c.Run({}, "asked.txt\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "Please, type output filename=");
  EXPECT_TRUE(c.dir.Exists("asked.txt"));
}

TEST(RunSequence, NoNameTypedIsAFailure) {
  Conversion c(kIdlePattern, kTruckVehicle, kTruckCurve);
  testutil::RunResult r = c.Run({}, "");
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.out.find("\n\n\nThe file is not found.\nStopped with error.\n"), std::string::npos);
}

TEST(RunSequence, UnwritableResultKeepsTheOldFile) {
  Conversion c(kIdlePattern, kTruckVehicle, kTruckCurve);
  c.dir.Write("old.txt", "earlier result\n");
  ASSERT_EQ(chmod(c.dir.File("old.txt").c_str(), 0444), 0);
  if (geteuid() == 0) GTEST_SKIP() << "root may write any file";
  testutil::RunResult r = c.Run({"old.txt"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.out.find("old.txt\n\nThe file is not found.\nStopped with error.\n"),
            std::string::npos);
  EXPECT_EQ(r.out.find("Convert finished!"), std::string::npos);
  EXPECT_EQ(c.dir.Read("old.txt"), "earlier result\n");
}

TEST(RunSequence, ResultNameOfAFolderFails) {
  Conversion c(kIdlePattern, kTruckVehicle, kTruckCurve);
  ASSERT_EQ(mkdir(c.dir.File("sub").c_str(), 0700), 0);
  testutil::RunResult r = c.Run({"sub"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.out.find("sub\n\nThe file is not found.\nStopped with error.\n"), std::string::npos);
}

TEST(RunSequence, ResultInAMissingFolderFails) {
  Conversion c(kIdlePattern, kTruckVehicle, kTruckCurve);
  testutil::RunResult r = c.Run({"no/such/folder/out.txt"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.out.find("no/such/folder/out.txt\n\nThe file is not found.\nStopped with error.\n"),
            std::string::npos);
  EXPECT_NE(r.err.find("no/such/folder/out.txt"), std::string::npos);
}

TEST(RunSequence, ResultReplacesAnOldFileWhole) {
  Conversion c(kIdlePattern, kTruckVehicle, kTruckCurve);
  c.dir.Write("out.txt", std::string(100000, 'x'));
  ASSERT_EQ(chmod(c.dir.File("out.txt").c_str(), 0640), 0);
  testutil::RunResult r = c.Run();
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(c.Result().substr(0, 7), "time(s)");
  EXPECT_EQ(c.Result().size(), std::string(kHeader).size() + 3 * 34);
  struct stat st;
  ASSERT_EQ(stat(c.dir.File("out.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replaced file's permissions
  // No temporary file is left behind.
  EXPECT_EQ(c.dir.List(), (std::vector<std::string>{"DATA", "curve.txt", "out.txt",
                                                    "pattern.txt", "vehicle.txt"}));
}

TEST(RunSequence, NewResultGetsPlainPermissions) {
  Conversion c(kIdlePattern, kTruckVehicle, kTruckCurve);
  mode_t mask = umask(022);
  umask(mask);
  testutil::RunResult r = c.Run();
  ASSERT_EQ(r.status, 0);
  struct stat st;
  ASSERT_EQ(stat(c.dir.File("out.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666u & ~mask);
}

TEST(RunSequence, ResultNameOfAnInputFileIsRefused) {
  for (const char* name : {"DATA", "pattern.txt", "./vehicle.txt", "curve.txt"}) {
    Conversion c(kIdlePattern, kTruckVehicle, kTruckCurve);
    std::string before = c.dir.Read(std::string(name).substr(std::string(name)[0] == '.' ? 2 : 0));
    testutil::RunResult r = c.Run({name});
    EXPECT_EQ(r.status, 255) << name;
    EXPECT_EQ(r.out.substr(r.out.size() - 20), "Stopped with error.\n") << name;
    EXPECT_NE(r.err.find("would overwrite the input file"), std::string::npos) << name;
    EXPECT_EQ(c.dir.Read(std::string(name).substr(std::string(name)[0] == '.' ? 2 : 0)), before);
  }
}

TEST(RunSequence, TypedResultNameOfAnInputFileIsRefused) {
  Conversion c(kIdlePattern, kTruckVehicle, kTruckCurve);
  testutil::RunResult r = c.Run({}, "pattern.txt\n");
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(c.dir.Read("pattern.txt"), kIdlePattern);
}

}  // namespace
