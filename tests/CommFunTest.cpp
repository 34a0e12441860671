// Trimming, number conversion and the missing-file message.
#include <gtest/gtest.h>

#include <cmath>

#include "TestUtil.h"
#include "input/CommFun.h"

namespace {

std::string Trimmed(std::string s) {
  TCommFun f;
  f.Trim(s);
  return s;
}

TEST(Trim, BlanksTabsAndTrailingLineFeeds) {
  EXPECT_EQ(Trimmed(" 12 "), "12");
  EXPECT_EQ(Trimmed("  5  "), "  5  ");          // a single character keeps its blanks
  EXPECT_EQ(Trimmed("\t 5 \t"), " 5 ");          // blanks inside the tab run stay
  EXPECT_EQ(Trimmed("12\n\n"), "12");
  EXPECT_EQ(Trimmed("5\n"), "5\n");              // single character: unchanged
  EXPECT_EQ(Trimmed("\n12"), "\n12");            // leading line feeds stay
  EXPECT_EQ(Trimmed("   "), "   ");
  EXPECT_EQ(Trimmed("12\r\n"), "12\r");          // carriage returns stay
  EXPECT_EQ(Trimmed(""), "");
}

TEST(AStrToDouble, EmptyTextFailsAndKeepsTheValue) {
  TCommFun f;
  double v = 7;
  EXPECT_FALSE(f.AStrToDouble("", v));
  EXPECT_EQ(v, 7);
  EXPECT_TRUE(f.AStrToDouble("   ", v));
  EXPECT_EQ(v, 0);
  EXPECT_TRUE(f.AStrToDouble("2.5\n", v));
  EXPECT_EQ(v, 2.5);
  EXPECT_TRUE(f.AStrToDouble("abc", v));
  EXPECT_EQ(v, 0);
}

TEST(StrToValue, DecimalGrammarOnly) {
  TCommFun f;
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"12", 12},       {" \t-3.5", -3.5}, {"+4", 4},       {"1e3", 1000},   {"1E-2", 0.01},
      {"2.", 2},        {".5", 0.5},       {"1e", 1},       {"1e+", 1},      {"3x", 3},
      {"30 2", 30},     {"\r", 0},         {"", 0},         {"-", 0},        {".", 0},
      {"inf", 0},       {"-infinity", 0},  {"nan", 0},      {"NAN(1)", 0},   {"0x1A", 0},
      {"0x1p3", 0},     {"1.5e2kg", 150},  {"007", 7},      {"-0", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(f.StrToValue(c.text), c.value) << c.text;
  EXPECT_TRUE(std::isinf(f.StrToValue("1e999")));
  EXPECT_TRUE(std::isinf(f.StrToValue("-1e999")));
  EXPECT_EQ(f.StrToValue("1e-999"), 0);
  EXPECT_EQ(f.StrToValue("0.1"), 0.1);  // correctly rounded
}

TEST(StrToInt, WholePartSaturating) {
  TCommFun f;
  EXPECT_EQ(f.StrToInt("5"), 5);
  EXPECT_EQ(f.StrToInt(" 6.9"), 6);
  EXPECT_EQ(f.StrToInt("-2x"), -2);
  EXPECT_EQ(f.StrToInt("x"), 0);
  EXPECT_EQ(f.StrToInt("99999999999999999999"), 2147483647);
  EXPECT_EQ(f.StrToInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(FileExists, PrintsTheMissingName) {
  testutil::TempDir dir;
  dir.Write("there", "x");
  TCommFun f;
  testing::internal::CaptureStdout();
  EXPECT_TRUE(f.FileExists(dir.File("there")));
  EXPECT_FALSE(f.FileExists(dir.File("DATA")));
  EXPECT_FALSE(f.FileExists(""));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "File Not Found. [" + dir.File("DATA") + "]\nFile Not Found. []\n");
}

}  // namespace

namespace {

TEST(ReadWholeFile, RefusesFoldersAndDevices) {
  testutil::TempDir dir;
  TCommFun f;
  std::string content = "x", why;
  EXPECT_FALSE(f.ReadWholeFile(dir.path(), content, why));
  EXPECT_EQ(why, "a folder, not a file");
  EXPECT_FALSE(f.ReadWholeFile("/dev/zero", content, why));  // would never end
  EXPECT_EQ(why, "a device, not a file");
  dir.Write("f", "a\nb");
  EXPECT_TRUE(f.ReadWholeFile(dir.File("f"), content, why));
  EXPECT_EQ(content, "a\nb");
}

}  // namespace
