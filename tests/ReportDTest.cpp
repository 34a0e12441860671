// End to end: ReportD on the results of real conversions, the fleet CSV,
// and its refusal of bad input.
#include <gtest/gtest.h>

#include <cstdio>

#include "TestUtil.h"
#include "output/ResultLine.h"
#include "report/Statistics.h"

namespace {

using testutil::Conversion;
using testutil::kTruckCurve;
using testutil::kTruckVehicle;
using testutil::RunReportD;

// The truck follows this drive.
const char kDrivePattern[] =
    "t\tv\n0\tIDLE\n10\tIDLE\n30\t30\n60\t30\n70\t50\n100\t50\n115\tIDLE\n120\tIDLE\n";
// A step of the target it cannot follow.
const char kStepPattern[] =
    "t\tv\n0\tIDLE\n10\tIDLE\n11\t60\n80\t60\n140\t20\n150\tIDLE\n160\tIDLE\n";

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// ConvertD's warning lines about stretches, without their prefix.
std::vector<std::string> StretchLines(const std::string& err) {
  std::vector<std::string> out;
  for (const std::string& line : testutil::Lines(err)) {
    if (line.rfind("ConvertD: warning:   ", 0) == 0) out.push_back(line.substr(21));
  }
  return out;
}

TEST(ReportD, ReportsAConversionAndMarksTheSameStretches) {
  Conversion c(kStepPattern, kTruckVehicle, kTruckCurve);
  testutil::RunResult conv = c.Run();
  ASSERT_EQ(conv.status, 0);
  std::vector<std::string> warned = StretchLines(conv.err);
  ASSERT_EQ(warned.size(), 1u) << conv.err;

  testutil::RunResult r = RunReportD(c.dir.path(), {"out.txt"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "ReportD: report written to out.html\n");
  std::vector<std::string> out = testutil::Lines(r.out);
  ASSERT_GE(out.size(), 15u) << r.out;
  EXPECT_EQ(out[0], "Result file out.txt (vehicle vehicle.txt, full-load curve curve.txt)");
  EXPECT_EQ(out[2], "Duration                                     160 s");
  // The stretch ConvertD warned of, with the same times, shortfall and gears.
  std::string stretch = warned[0];
  stretch.erase(stretch.find(" ("), stretch.find(")") - stretch.find(" (") + 1);
  EXPECT_EQ(out.back(), "  " + stretch.substr(0, stretch.find(":")) +
                            stretch.substr(stretch.find(":")));

  std::string html = c.dir.Read("out.html");
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(Count(html, "<svg"), 6u);
  // Self-contained: nothing to load from anywhere.
  for (const char* external : {"http:", "https:", "<script", "<link", "<img", "@import"}) {
    EXPECT_EQ(html.find(external), std::string::npos) << external;
  }
  EXPECT_EQ(Count(html, "url("), Count(html, "url(#plot"));
  // The stretch is shaded in the speed, engine speed and gear charts and
  // listed in the table.
  EXPECT_EQ(Count(html, "<rect class=\"far\""), 3u);
  EXPECT_NE(html.find("<td class=\"v\">" + std::to_string(std::stoi(warned[0])) + " s</td>"),
            std::string::npos);
  for (const char* axis : {"time [s]", "speed [km/h]", "engine speed [rpm]",
                           "engine torque [N\u00b7m]"}) {
    EXPECT_NE(html.find(axis), std::string::npos) << axis;
  }
}

TEST(ReportD, FolderArgumentAndReportName) {
  Conversion c(kDrivePattern, kTruckVehicle, kTruckCurve);
  ASSERT_EQ(c.Run({"drive.res"}).status, 0);
  testutil::RunResult r = RunReportD(c.dir.path(), {".", "-o", "my report.html"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Result file ./drive.res ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("More than 10 km/h behind for more than 10 s  never\n"), std::string::npos)
      << r.out;
  EXPECT_TRUE(c.dir.Exists("my report.html"));
  EXPECT_FALSE(c.dir.Exists("drive.html"));
  EXPECT_NE(c.dir.Read("my report.html").find("The vehicle follows the target"),
            std::string::npos);

  r = RunReportD(c.dir.path(), {"--no-report", "drive.res"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(c.dir.Exists("drive.html"));
  r = RunReportD(c.dir.path(), {"drive.res"});
  EXPECT_TRUE(c.dir.Exists("drive.html"));
}

TEST(ReportD, SeveralFoldersGiveOneCsvRowEach) {
  Conversion follows(kDrivePattern, kTruckVehicle, kTruckCurve);
  Conversion falls(kStepPattern, kTruckVehicle, kTruckCurve);
  ASSERT_EQ(follows.Run().status, 0);
  ASSERT_EQ(falls.Run().status, 0);
  testutil::RunResult r = RunReportD("/", {follows.dir.path(), falls.dir.path() + "/out.txt"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<std::string> lines = testutil::Lines(r.out);
  ASSERT_EQ(lines.size(), 3u) << r.out;
  EXPECT_EQ(lines[0], StatisticsCsvHeader());
  EXPECT_EQ(lines[1].rfind(follows.dir.path() + "," + follows.dir.path() + "/out.txt,vehicle.txt,"
                                                                          "curve.txt,120,",
                           0),
            0u)
      << lines[1];
  EXPECT_EQ(lines[2].rfind(falls.dir.path() + "," + falls.dir.path() + "/out.txt,", 0), 0u);
  // far_behind_stretches is the third column from the end.
  auto stretches = [](const std::string& line) {
    std::string rest = line;
    for (int i = 0; i < 2; ++i) rest = rest.substr(0, rest.rfind(','));
    return rest.substr(rest.rfind(',') + 1);
  };
  EXPECT_EQ(stretches(lines[1]), "0");
  EXPECT_EQ(stretches(lines[2]), "1");
  EXPECT_TRUE(follows.dir.Exists("out.html"));
  EXPECT_TRUE(falls.dir.Exists("out.html"));

  // One folder that cannot be reported on leaves the others' rows and fails.
  testutil::TempDir empty;
  r = RunReportD("/", {empty.path(), follows.dir.path(), "--no-report"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(testutil::Lines(r.out).size(), 2u);
  EXPECT_EQ(r.err, "ReportD: " + empty.path() + ": holds no result file of ConvertD\n");
}

TEST(ReportD, BadInputEndsWithAMessageAndStatus1) {
  Conversion c(kDrivePattern, kTruckVehicle, kTruckCurve);
  ASSERT_EQ(c.Run().status, 0);
  std::string result = c.Result();
  c.dir.Write("second.txt", result);
  c.dir.Write("broken.txt", result.substr(0, result.size() - 5));
  c.dir.Write("other.veh", std::string(kTruckVehicle).replace(std::string(kTruckVehicle).find("4.111"), 5, "4.300"));
  testutil::TempDir nodata;
  nodata.Write("out.txt", result);
  struct Case {
    std::string dir;
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {c.dir.path(), {"none.txt"}, "ReportD: none.txt: cannot be read: No such file or directory"},
      {c.dir.path(), {"broken.txt"}, "ReportD: broken.txt: line 122: has 7 columns"},
      {c.dir.path(), {"DATA"}, "ReportD: DATA: line 1: \"pattern.txt\" is not the header line"},
      {c.dir.path(), {"."}, "ReportD: .: holds several result files (broken.txt, out.txt, "
                            "second.txt); name the one to report on"},
      {nodata.path(), {"out.txt"}, "ReportD: DATA: cannot be read; the folder of a result "
                                   "file must hold the DATA of its conversion"},
  };
  for (const Case& k : cases) {
    testutil::RunResult r = RunReportD(k.dir, k.args);
    EXPECT_EQ(r.status, 1) << k.message;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind(k.message, 0), 0u) << r.err;
  }
  EXPECT_FALSE(c.dir.Exists("broken.html"));

  // The same result with DATA naming another vehicle.
  c.dir.Write("DATA", "pattern.txt\nother.veh\ncurve.txt\n");
  testutil::RunResult r = RunReportD(c.dir.path(), {"out.txt"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("does not fit the gear ratios and tyre"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("was not made with the vehicle other.veh"), std::string::npos) << r.err;
  EXPECT_FALSE(c.dir.Exists("out.html"));
}

TEST(ReportD, CommandLine) {
  testutil::TempDir dir;
  for (const char* help : {"-h", "--help"}) {
    testutil::RunResult r = RunReportD(dir.path(), {help});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: ReportD [-o REPORT.html] [--csv] [--no-report] RESULT...\n", 0),
              0u);
  }
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{}, "ReportD: no result file given; see ReportD --help\n"},
      {{"--pdf", "a.txt"}, "ReportD: unknown option --pdf; see ReportD --help\n"},
      {{"a.txt", "-o"}, "ReportD: -o needs the name of the report file; see ReportD --help\n"},
      {{"-o", "r.html", "a.txt", "b.txt"},
       "ReportD: -o names the report of one result file only; several get theirs beside them\n"},
  };
  for (const Case& k : cases) {
    testutil::RunResult r = RunReportD(dir.path(), k.args);
    EXPECT_EQ(r.status, 2) << k.message;
    EXPECT_EQ(r.err, k.message);
  }
  EXPECT_TRUE(dir.List().empty());
}

TEST(ReportD, ReportOfAResultFileNamedHtmlIsRefused) {
  Conversion c(kDrivePattern, kTruckVehicle, kTruckCurve);
  ASSERT_EQ(c.Run({"out.html"}).status, 0);
  std::string before = c.dir.Read("out.html");
  testutil::RunResult r = RunReportD(c.dir.path(), {"out.html"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "ReportD: out.html: the report would overwrite the result file\n");
  EXPECT_EQ(c.dir.Read("out.html"), before);
}

// A day at one point per second: the report stays small because every chart
// is reduced to its pixel columns.
TEST(ReportD, ADayLongCycleStaysLight) {
  Conversion c("t\tv\n0\tIDLE\n86400\tIDLE\n", kTruckVehicle, kTruckCurve);
  std::string result = std::string(kResultHeader) + "\n";
  char line[128];
  for (int t = 0; t <= 86400; ++t) {
    // The truck idles; the target swings, so the speed chart has content.
    double target = (t / 600) % 2 == 0 ? (t % 600) / 10.0 : 0;
    std::snprintf(line, sizeof line, "%d\t%.2f\t0.00\t600.0\t0.0\t0.00\t0.00\t0\n", t, target);
    result += line;
  }
  c.dir.Write("day.txt", result);
  testutil::RunResult r = RunReportD(c.dir.path(), {"day.txt"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string html = c.dir.Read("day.html");
  EXPECT_LT(html.size(), 400u * 1024) << html.size();
  EXPECT_NE(html.find("time [h]"), std::string::npos);
  EXPECT_NE(r.out.find("Duration                                     86400 s\n"), std::string::npos);
}

}  // namespace
