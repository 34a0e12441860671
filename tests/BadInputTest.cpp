// End to end: what ConvertD does with bad input. Whatever it is fed, it
// either converts or stops with "Stopped with error." and status 255, and it
// never changes a file it was not asked to write: every row snapshots the
// folder before and after the run. A failing row starts with an earlier
// result file out.txt in the folder, which must survive unchanged; a
// converting row may add out.txt and nothing else.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <optional>

#include "TestUtil.h"

namespace {

using testutil::kTruckCurve;
using testutil::kTruckVehicle;
using testutil::TempDir;

const char kPattern[] = "t\tv\n0\tIDLE\n5\tIDLE\n15\t30\n25\t30\n35\tIDLE\n40\tIDLE\n";
const char kLongPattern[] = "t\tv\n0\tIDLE\n10\tIDLE\n40\t40\n280\t40\n300\tIDLE\n";
const char kData[] = "pattern.txt\nvehicle.txt\ncurve.txt\n";
const char kStopped[] = "Stopped with error.\n";
const char kFinished[] = "Convert finished!\n";
const char kEarlierResult[] = "earlier result\n";

// Bytes of every value, line ends and NULs among them, from a fixed seed.
std::string Garbage(size_t n, unsigned seed) {
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    seed = seed * 1103515245u + 12345u;
    out += static_cast<char>(seed >> 16);
  }
  return out;
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string WithCr(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c == '\n') c = '\r';
  }
  return out;
}

// The truck's specification with line lineNo (from 1) replaced.
std::string VehicleWithLine(int lineNo, const std::string& text) {
  std::vector<std::string> lines = testutil::Lines(kTruckVehicle);
  lines[lineNo - 1] = text;
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

struct Row {
  const char* name;
  // The files of the folder; nullopt leaves a file out.
  std::optional<std::string> data = std::string(kData);
  std::optional<std::string> pattern = std::string(kPattern);
  std::optional<std::string> vehicle = std::string(kTruckVehicle);
  std::optional<std::string> curve = std::string(kTruckCurve);
  std::vector<std::string> args = {"out.txt"};
  std::string input = "";  // standard input, for the asked result name
  int status = 255;
  const char* outHas = "";  // text standard output must hold
  const char* errHas = "";  // text standard error must hold
  testutil::RunLimits limits = {};
  bool folderNamedSub = false;  // a folder "sub" in the folder
};

Row Fails(const char* name) {
  Row r;
  r.name = name;
  return r;
}

Row Converts(const char* name) {
  Row r;
  r.name = name;
  r.status = 0;
  return r;
}

// Every file and folder of dir with its content and permissions.
std::map<std::string, std::string> Snapshot(const TempDir& dir) {
  std::map<std::string, std::string> files;
  for (const std::string& name : dir.List()) {
    struct stat st;
    if (stat(dir.File(name).c_str(), &st) != 0) continue;
    std::string mode = std::to_string(st.st_mode);
    files[name] = S_ISDIR(st.st_mode) ? mode + " folder" : mode + " " + dir.Read(name);
  }
  return files;
}

std::vector<Row> Rows() {
  std::vector<Row> rows;
  auto add = [&](Row r) { rows.push_back(r); };
  Row r;

  // Missing files.
  r = Fails("no DATA"), r.data.reset(), r.outHas = "Ver 1.1 File Not Found. [DATA]\n", add(r);
  r = Fails("missing pattern"), r.pattern.reset(), r.outHas = "File Not Found. [pattern.txt]\n",
  add(r);
  r = Fails("missing vehicle"), r.vehicle.reset(), r.outHas = "File Not Found. [vehicle.txt]\n",
  add(r);
  r = Fails("missing curve"), r.curve.reset(), r.outHas = "File Not Found. [curve.txt]\n", add(r);

  // Empty files. An empty pattern is a trace without records, an empty
  // curve one that gives no torque: both convert, as the readers define.
  r = Fails("empty DATA"), r.data = "", r.outHas = "File Not Found. []\n", add(r);
  r = Converts("empty pattern"), r.pattern = "", r.errHas = "no data lines", add(r);
  r = Fails("empty vehicle"), r.vehicle = "", r.errHas = "line 1: the vehicle weight W0 is not given",
  add(r);
  r = Converts("empty curve"), r.curve = "", add(r);

  // Header-only files.
  r = Converts("pattern header only"), r.pattern = "time\tspeed\n", r.errHas = "no data lines",
  add(r);
  r = Converts("curve header only"), r.curve = "Ne,Te\n", add(r);
  r = Fails("vehicle header only"), r.vehicle = "W0 [kg]\n",
  r.errHas = "line 2: the payload is not given", add(r);

  // Binary garbage.
  r = Fails("garbage DATA"), r.data = Garbage(600, 1), r.outHas = "File Not Found. [", add(r);
  r = Converts("garbage pattern"), r.pattern = Garbage(3000, 2), add(r);
  r = Fails("garbage vehicle"), r.vehicle = Garbage(3000, 3), r.errHas = "vehicle.txt: line ",
  add(r);
  r = Converts("garbage curve"), r.curve = Garbage(3000, 4), add(r);

  // Carriage returns: before the line feeds they change nothing (the row
  // below compares the result); alone they make one long line.
  r = Converts("CR LF line ends"), r.data = WithCrLf(kData), r.pattern = WithCrLf(kPattern),
  r.vehicle = WithCrLf(kTruckVehicle), r.curve = WithCrLf(kTruckCurve), add(r);
  r = Fails("CR line ends in DATA"), r.data = WithCr(kData), r.outHas = "File Not Found. []\n",
  add(r);
  r = Converts("CR line ends in the pattern"), r.pattern = WithCr(kPattern),
  r.errHas = "no data lines", add(r);
  r = Fails("CR line ends in the vehicle"), r.vehicle = WithCr(kTruckVehicle),
  r.errHas = "line 2: the payload is not given", add(r);

  // Text instead of numbers: words read as 0.
  r = Fails("vehicle of words"),
  r.vehicle = "weight\npayload\ncrew\nheight\nwidth\nradius\ngears\nratio\n",
  r.errHas = "line 6: tyre radius 0 m must be above 0", add(r);
  // A gear count of 0 moves the engine speeds up to lines 9 to 11.
  r = Fails("gear count in words"), r.vehicle = VehicleWithLine(7, "six"),
  r.errHas = "line 11: Nex 1.55 rpm must lie above Nes", add(r);

  // Overflowing numbers.
  r = Fails("vehicle weight 1e999"), r.vehicle = VehicleWithLine(1, "1e999"),
  r.errHas = "vehicle.txt: line 1: vehicle weight W0 \"1e999\" is too large a number", add(r);
  r = Fails("gear count beyond int"), r.vehicle = VehicleWithLine(7, "99999999999"),
  r.errHas = "line 7: gear count \"99999999999\" is above 100", add(r);
  r = Fails("pattern speed 1e999"), r.pattern = "t\tv\n0\tIDLE\n10\t1e999\n",
  r.errHas = "pattern.txt: line 3: speed \"1e999\" is too large a number", add(r);
  r = Fails("pattern time 1e400"), r.pattern = "t\tv\n0\tIDLE\n1e400\t10\n",
  r.errHas = "pattern.txt: line 3: time \"1e400\" is too large a number", add(r);
  r = Fails("pattern end time beyond the grid"), r.pattern = "t\tv\n0\tIDLE\n20000000\tIDLE\n",
  r.errHas = "end time 2e+07 s is above", add(r);
  r = Fails("curve torque 1e999"), r.curve = "Ne,Te\n1000,400\n2000,1e999\n",
  r.errHas = "curve.txt: line 3: \"1e999\" is too large a number", add(r);

  // Pattern times that go back.
  r = Fails("decreasing pattern time"), r.pattern = "t\tv\n0\tIDLE\n20\t30\n15\tIDLE\n",
  r.errHas = "line 4: time \"15\" is smaller than the time 20 of line 3", add(r);
  r = Fails("negative pattern time"), r.pattern = "t\tv\n-5\tIDLE\n10\t30\n",
  r.errHas = "line 2: time \"-5\" is below 0", add(r);
  r = Fails("negative pattern speed"), r.pattern = "t\tv\n0\tIDLE\n10\t-30\n",
  r.errHas = "line 3: speed \"-30\" is below 0", add(r);

  // Pattern times closer than a tenth of a second.
  r = Fails("pattern time next to a grid time"),
  r.pattern = "t\tv\n0\tIDLE\n10\t30\n10.05\t30\n20\tIDLE\n",
  r.errHas = "line 4: time 10.05 s lies less than 0.1 s after the trace point at 10 s", add(r);
  r = Fails("pattern time just before a grid time"),
  r.pattern = "t\tv\n0\tIDLE\n9.95\t30\n20\tIDLE\n", r.errHas = "less than 0.1 s", add(r);

  // Gears the vehicle does not have, where the vehicle has to drive in them.
  r = Fails("gear beyond the gear count"), r.pattern = "t\tv\tg\n0\t30\t9\n20\t30\n30\tIDLE\n",
  r.errHas = "gear 9 is not a gear of the vehicle (1 to 6)", add(r);
  r = Fails("negative gear"), r.pattern = "t\tv\tg\n0\t30\t-1\n20\t30\n30\tIDLE\n",
  r.errHas = "gear -1 is not a gear of the vehicle (1 to 6)", add(r);

  // Curves without a line to follow give no torque anywhere.
  r = Converts("curve of one point"), r.curve = "Ne,Te\n1200,700\n", add(r);
  r = Converts("curve of no point"), r.curve = "Ne,Te\n\n1,2,3\n", add(r);

  // A result name that is an input file, however it is spelled.
  r = Fails("result named DATA"), r.args = {"DATA"}, r.errHas = "would overwrite the input file",
  add(r);
  r = Fails("result named as the pattern"), r.args = {"./pattern.txt"},
  r.errHas = "would overwrite the input file pattern.txt", add(r);
  r = Fails("result named as the curve, typed"), r.args = {}, r.input = "curve.txt\n",
  r.errHas = "would overwrite the input file curve.txt", add(r);

  // A result that cannot be written.
  r = Fails("result in a missing folder"), r.args = {"missing/out.txt"},
  r.outHas = "missing/out.txt\n\nThe file is not found.\n", add(r);
  r = Fails("result named as a folder"), r.args = {"sub"}, r.folderNamedSub = true,
  r.outHas = "sub\n\nThe file is not found.\n", add(r);
  r = Fails("result larger than the file size limit"), r.pattern = kLongPattern,
  r.limits.maxFileSize = 4096, r.outHas = "File write error.\n", add(r);
  return rows;
}

TEST(BadInput, StopsCleanlyOrConverts) {
  for (const Row& row : Rows()) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    if (row.data) dir.Write("DATA", *row.data);
    if (row.pattern) dir.Write("pattern.txt", *row.pattern);
    if (row.vehicle) dir.Write("vehicle.txt", *row.vehicle);
    if (row.curve) dir.Write("curve.txt", *row.curve);
    if (row.folderNamedSub) {
      ASSERT_EQ(mkdir(dir.File("sub").c_str(), 0700), 0);
    }
    const bool converts = row.status == 0;
    if (!converts) dir.Write("out.txt", kEarlierResult);
    std::map<std::string, std::string> before = Snapshot(dir);

    testutil::RunResult r = testutil::RunConvertD(dir.path(), row.args, row.input, row.limits);

    EXPECT_EQ(r.status, row.status);
    const std::string ending = converts ? kFinished : kStopped;
    ASSERT_GE(r.out.size(), ending.size());
    EXPECT_EQ(r.out.substr(r.out.size() - ending.size()), ending);
    EXPECT_EQ(r.out.find(converts ? kStopped : kFinished), std::string::npos);
    EXPECT_NE(r.out.find(row.outHas), std::string::npos) << r.out;
    EXPECT_NE(r.err.find(row.errHas), std::string::npos) << r.err;

    std::map<std::string, std::string> after = Snapshot(dir);
    if (converts) {
      ASSERT_EQ(after.count("out.txt"), 1u);
      EXPECT_EQ(dir.Read("out.txt").rfind("time(s)\tVtarget(km/h)", 0), 0u);
      after.erase("out.txt");
    }
    EXPECT_EQ(after, before);
  }
}

// Line ends of carriage return and line feed read exactly as line feeds.
TEST(BadInput, CrLfConvertsAsLf) {
  testutil::Conversion lf(kPattern, kTruckVehicle, kTruckCurve);
  testutil::Conversion crlf(WithCrLf(kPattern), WithCrLf(kTruckVehicle), WithCrLf(kTruckCurve));
  crlf.dir.Write("DATA", WithCrLf(kData));
  ASSERT_EQ(lf.Run().status, 0);
  ASSERT_EQ(crlf.Run().status, 0);
  EXPECT_EQ(crlf.Result(), lf.Result());
}

}  // namespace
