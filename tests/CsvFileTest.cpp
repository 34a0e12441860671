// The line reader's two splitting forms and its record access.
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "input/CsvFile.h"

namespace {

std::vector<std::string> SplitFixed(const std::string& line) {
  CCsvFile csv;
  csv.SetDataStr(line);
  csv.SetAtRec(1);
  std::vector<std::string> fields;
  for (int i = 0; i < csv.GetDataCnt(); ++i) fields.push_back(csv.Strings(i));
  return fields;
}

std::vector<std::string> SplitGeneral(const std::string& line, const char* seps) {
  CCsvFile csv;
  csv.SetDataStr(line.c_str(), seps);
  csv.SetAtRec(1);
  std::vector<std::string> fields;
  for (int i = 0; i < csv.GetDataCnt(); ++i) fields.push_back(csv.Strings(i));
  return fields;
}

typedef std::vector<std::string> V;

TEST(CsvFixedForm, SplitsLikeTheProgramsInputFilesNeed) {
  struct Case {
    const char* line;
    V fields;
  } cases[] = {
      {"1000,400\n", {"1000", "400"}},
      {"1000,400", {"1000", "400"}},
      {"1000,400\r\n", {"1000", "400"}},
      {"a,,b\n", {"a", "b"}},                   // a run of separators is one
      {"a, b\n", {"a", "b"}},
      {"  2.5\n", {"", "2.5"}},                 // a leading separator: empty field 0
      {",x\n", {"", "x"}},
      {"\n", {""}},                             // a blank line: one empty field
      {"12,\"a b\",c\n", {"12", "a b", "c"}},   // quotes keep separators
      {"\"x\n", {}},                            // quote left open at the line end: lost
      {"\"my file.txt\"\n", {"my file.txt"}},
      {"\"my file.txt\"", {"my file.txt", ""}},  // no line end after the closing quote
      {"ab\"cd\"ef,g\n", {"cd", "ef", "g"}},    // text before an opening quote is dropped
      {"\"\"x\"\n", {"\"x"}},                   // the character after the opening quote is content
      {"6500 W0 [kg]\n", {"6500", "W0", "[kg]"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitFixed(c.line), c.fields) << c.line;
}

TEST(CsvFixedForm, TakesOnlyTheFirst255Characters) {
  std::string line(300, 'x');
  line += ",tail\n";
  V fields = SplitFixed(line);
  ASSERT_EQ(fields.size(), 1u);
  EXPECT_EQ(fields[0], std::string(255, 'x'));
}

TEST(CsvFixedForm, FlagsQuotedFields) {
  CCsvFile csv;
  csv.SetDataStr("1,\"a b\",c\n");
  ASSERT_TRUE(csv.SetAtRec(1));
  EXPECT_EQ(csv.GetDataCnt(), 3);
  EXPECT_EQ(csv.Strings(1), "a b");
}

TEST(CsvGeneralForm, EveryFurtherSeparatorEndsAnEmptyField) {
  EXPECT_EQ(SplitGeneral("a,,b", ","), (V{"a", "", "b"}));
  EXPECT_EQ(SplitGeneral("a;b;", ";"), (V{"a", "b"}));
  EXPECT_EQ(SplitGeneral("\"\",b", ","), (V{"", "b"}));  // "" is an empty quoted field
  EXPECT_EQ(SplitGeneral("\"a;b\";;c", ";"), (V{"a;b", "c"}));
  EXPECT_EQ(SplitGeneral("a b,c", ","), (V{"a b", "c"}));  // only the given separators
}

TEST(CsvRecords, AccessByRecordAndField) {
  testutil::TempDir dir;
  dir.Write("f", "a\nb,c\n\n  2.5\nlast");
  CCsvFile csv;
  ASSERT_TRUE(csv.ReadFile(dir.File("f"), " ,"));
  EXPECT_EQ(csv.RecordCount(), 5u);
  EXPECT_FALSE(csv.SetAtRec(0));
  EXPECT_EQ(csv.Strings(0), "");
  EXPECT_EQ(csv.GetDataCnt(), 0);
  EXPECT_FALSE(csv.SetAtRec(6));
  EXPECT_EQ(csv.Strings(0), "");
  ASSERT_TRUE(csv.SetAtRec(2));
  EXPECT_EQ(csv.Strings(1), "c");
  EXPECT_EQ(csv.Strings(2), "");
  EXPECT_EQ(csv.Strings(-1), "");
  ASSERT_TRUE(csv.SetAtRec(4));
  EXPECT_EQ(csv.Strings(0), "");
  EXPECT_EQ(csv.Strings(1), "2.5");
  ASSERT_TRUE(csv.SetAtRec(5));
  EXPECT_EQ(csv.Strings(0), "last");
  EXPECT_TRUE(csv.DeleteData());
  EXPECT_FALSE(csv.SetAtRec(1));
  EXPECT_FALSE(csv.DeleteData());
}

TEST(CsvRecords, EmptyAndMissingFiles) {
  testutil::TempDir dir;
  dir.Write("empty", "");
  CCsvFile csv;
  EXPECT_TRUE(csv.ReadFile(dir.File("empty"), " ,"));
  EXPECT_FALSE(csv.SetAtRec(1));
  csv.SetDataStr("kept\n");
  EXPECT_FALSE(csv.ReadFile(dir.File("missing"), " ,"));
  EXPECT_TRUE(csv.SetAtRec(1));  // a failed read leaves the table as it was
}

TEST(CsvRecords, LongLinesSplitAt4095Characters) {
  testutil::TempDir dir;
  dir.Write("f", std::string(5000, 'y') + "\n");
  CCsvFile csv;
  ASSERT_TRUE(csv.ReadFile(dir.File("f"), ";"));
  EXPECT_EQ(csv.RecordCount(), 2u);
  csv.SetAtRec(1);
  EXPECT_EQ(csv.Strings(0).size(), 4095u);
  csv.SetAtRec(2);
  EXPECT_EQ(csv.Strings(0), std::string(905, 'y') + "\n");
}

}  // namespace
