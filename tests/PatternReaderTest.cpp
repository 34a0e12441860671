// The driving pattern reader: grid, pattern records, replacement of equal
// times, gear hand-down, column rules, and its rejections.
#include <gtest/gtest.h>

#include "TestUtil.h"

namespace {

class PatternReader : public testing::Test {
 protected:
  void SetUp() override { proc.SetConstants(); }

  bool Read(const std::string& text) {
    dir.Write("p.txt", text);
    testing::internal::CaptureStderr();
    bool ok = proc.PtnRead(dir.File("p.txt"));
    err = testing::internal::GetCapturedStderr();
    return ok;
  }

  // Keys of the trace, in order.
  std::vector<double> Keys() {
    std::vector<double> keys;
    for (const stCalculateData& r : proc.CalcData) keys.push_back(r.Time10);
    return keys;
  }

  const stCalculateData& At(double key) {
    TCalculateProc::Pos it = proc.CalcData.find(key);
    EXPECT_NE(it, proc.CalcData.end()) << key;
    return *it;
  }

  TCalculateProc proc;
  testutil::TempDir dir;
  std::string err;
};

TEST_F(PatternReader, GridPatternRecordsAndGearHandDown) {
  ASSERT_TRUE(Read("time\tspeed\tgear\n0\tIDLE\tN\n5\t0\t1\n10\t20\n"));
  std::vector<double> keys;
  for (int t = 0; t <= 10; ++t) keys.push_back(t * 10);
  EXPECT_EQ(Keys(), keys);
  for (const stCalculateData& r : proc.CalcData) {
    EXPECT_EQ(r.Gear, 1) << r.Time10;
    EXPECT_EQ(r.PrintMark, 1);
    bool pattern = r.Time10 == 0 || r.Time10 == 50 || r.Time10 == 100;
    EXPECT_EQ(r.PatternMark, pattern ? 1 : 0) << r.Time10;
    EXPECT_EQ(r.Fixed, (r.Time10 == 0 || r.Time10 == 50) ? 1 : 0) << r.Time10;
    EXPECT_EQ(r.StepLength, r.Time10 == 100 ? 0 : 10) << r.Time10;
  }
  EXPECT_EQ(At(100).Vpattern, 20);
  EXPECT_EQ(err, "");
}

TEST_F(PatternReader, EverySecondGivenReplacesTheGridAndHandsNothingDown) {
  ASSERT_TRUE(Read("h\n0\t0\t1\n1\t5\t2\n2\t10\n3\t15\t3\n"));
  EXPECT_EQ(Keys(), (std::vector<double>{0, 10, 20, 30}));
  EXPECT_EQ(At(0).Gear, 1);
  EXPECT_EQ(At(10).Gear, 2);
  EXPECT_EQ(At(20).Gear, 2);  // carried, not handed down from line 3 s
  EXPECT_EQ(At(30).Gear, 3);
  for (const stCalculateData& r : proc.CalcData) EXPECT_EQ(r.PatternMark, 1);
}

TEST_F(PatternReader, TimeBetweenGridPoints) {
  ASSERT_TRUE(Read("h\n0\t0\n10.5\t20\n12\t20\n"));
  EXPECT_EQ(Keys(), (std::vector<double>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 105, 110,
                                         120}));
  EXPECT_EQ(At(100).StepLength, 5);
  EXPECT_EQ(At(105).StepLength, 5);
  EXPECT_EQ(At(105).PatternMark, 1);
  EXPECT_EQ(At(110).PatternMark, 0);
}

TEST_F(PatternReader, EqualTimeReplacesTheEarlierLine) {
  ASSERT_TRUE(Read("h\n0\t0\n5\t10\t2\n5\t30\t3\n8\t30\n"));
  EXPECT_EQ(At(50).Vpattern, 30);
  EXPECT_EQ(At(50).Gear, 3);
  EXPECT_EQ(At(0).Gear, 2);   // handed down by the first line at 5 s
  EXPECT_EQ(At(40).Gear, 2);
  EXPECT_EQ(At(60).Gear, 3);  // handed down by the line at 8 s, carried gear 3
  EXPECT_EQ(proc.CalcData.size(), 9u);
}

TEST_F(PatternReader, OnlyLineAtTimeZero) {
  ASSERT_TRUE(Read("h\n0\t15\t2\n"));
  ASSERT_EQ(proc.CalcData.size(), 1u);
  EXPECT_EQ(At(0).Vpattern, 15);
  EXPECT_EQ(At(0).StepLength, 0);
}

TEST_F(PatternReader, ColumnRules) {
  struct Case {
    const char* line;
    bool kept;
    double speed;
    int gear;  // carried gear before this line is 4
  } cases[] = {
      {"12 30 2\n", true, 30, 4},      // blanks do not end the speed: no gear seen
      {"12\t30\t2\n", true, 30, 2},
      {"12\t30\t2\r\n", true, 30, 2},
      {"12\t30\r\n", true, 30, 4},
      {"12\tIDLE\tN\n", true, 0, 0},
      {"12\tIDLE\n", true, 0, 4},
      {"12\t0\n", true, 0, 4},
      {"12  \n", true, 0, 4},          // two blanks: the speed text is one blank
      {"12 \n", false, 0, 4},          // one blank: no speed column
      {"12 \r\n", true, 0, 4},         // a carriage return is speed text
      {"12\t\t\n", false, 0, 4},       // further tabs are skipped
      {"12\n", false, 0, 4},
      {"\n", false, 0, 4},
      {"  \t12\t\t25\t\t3\n", true, 25, 3},
      {"12\tfast\tx\n", true, 0, 0},   // text that is no number gives 0
      {"12\t30\tNeutral\n", true, 30, 0},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Read(std::string("h\n0\t0\t4\n") + c.line)) << c.line;
    TCalculateProc::Pos it = proc.CalcData.find(120);
    if (!c.kept) {
      EXPECT_EQ(proc.CalcData.size(), 1u) << c.line;
      continue;
    }
    ASSERT_NE(it, proc.CalcData.end()) << c.line;
    EXPECT_EQ(it->Vpattern, c.speed) << c.line;
    EXPECT_EQ(it->Gear, c.gear) << c.line;
    EXPECT_EQ(it->Fixed, c.speed == 0 ? 1 : 0) << c.line;
  }
}

TEST_F(PatternReader, HeaderOnlyAndEmptyFilesGiveAnEmptyTrace) {
  ASSERT_TRUE(Read("time\tspeed\n"));
  EXPECT_TRUE(proc.CalcData.empty());
  EXPECT_NE(err.find("no data lines"), std::string::npos);
  ASSERT_TRUE(Read(""));
  EXPECT_TRUE(proc.CalcData.empty());
}

TEST_F(PatternReader, MissingFileMessage) {
  testing::internal::CaptureStdout();
  EXPECT_FALSE(proc.PtnRead(dir.File("none.ptn")));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            dir.File("none.ptn") + "\n\nThe name file is not found.\n");
}

TEST_F(PatternReader, Rejections) {
  struct Case {
    const char* text;
    const char* message;  // part of the standard-error line
  } cases[] = {
      {"h\n0\t0\n5\t1e999\n", "line 3: speed \"1e999\" is too large a number"},
      {"h\n1e999\t0\n", "line 2: time \"1e999\" is too large a number"},
      {"h\n-1\t0\n", "line 2: time \"-1\" is below 0"},
      {"h\n0\t0\n5\t-3\n", "line 3: speed \"-3\" is below 0"},
      {"h\n0\t0\n5\t10\n\n4\t10\n", "line 5: time \"4\" is smaller than the time 5 of line 3"},
      {"h\n0\t0\n10000001\t0\n", "line 3: end time 1e+07 s is above 1e+07 s"},
      {"h\n0\t0\n10.05\t20\n12\t20\n", "line 3: time 10.05 s lies less than 0.1 s after"},
      {"h\n0\t0\n9.95\t20\n12\t20\n", "line 3: time 10 s lies less than 0.1 s after the trace point at 9.95 s"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(Read(c.text)) << c.text;
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
    EXPECT_NE(err.find(dir.File("p.txt")), std::string::npos) << err;
  }
  // Exactly 10,000,000 s is allowed, and so is a tenth of a second apart.
  EXPECT_TRUE(Read("h\n0\t0\n10.1\t20\n11\t20\n"));
}

}  // namespace
