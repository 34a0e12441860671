// End to end: result files and standard output, byte for byte, of four
// conversions as ConvertD wrote them before any of its speed-ups: the
// bundled example, two rounds of the benchmark's full-load truck cycle at
// 1 Hz, corner points at fractional times with gears and neutral, and a
// light van on a random walk (tests/data/golden/). A speed-up must not
// change a single byte. A deliberate change of the conversion takes new
// expected files: ConvertD run on the same inputs, its result file copied
// to NAME.result and its standard output to NAME.stdout.
#include <gtest/gtest.h>

#include <ostream>

#include "TestUtil.h"

namespace {

using testutil::ReadSourceFile;

struct Golden {
  const char* name;
  const char* pattern;
  const char* vehicle;
  const char* curve;
};

void PrintTo(const Golden& g, std::ostream* os) { *os << g.name; }

const Golden kGolden[] = {
    {"urban", "examples/urban.ptn", "examples/truck14t.veh", "examples/truck14t.trq"},
    {"truck-cycle", "tests/data/golden/truck-cycle.ptn", "examples/truck14t.veh",
     "examples/truck14t.trq"},
    {"corners", "tests/data/golden/corners.ptn", "examples/truck14t.veh",
     "examples/truck14t.trq"},
    {"van-walk", "tests/data/golden/van-walk.ptn", "tests/data/golden/van.veh",
     "tests/data/golden/van.trq"},
};

class GoldenResult : public testing::TestWithParam<Golden> {};

TEST_P(GoldenResult, SameBytesAsBefore) {
  const Golden& g = GetParam();
  testutil::Conversion c(ReadSourceFile(g.pattern), ReadSourceFile(g.vehicle),
                         ReadSourceFile(g.curve));
  testutil::RunResult r = c.Run();
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string dir = std::string("tests/data/golden/") + g.name;
  const std::string expected = ReadSourceFile(dir + ".result");
  ASSERT_FALSE(expected.empty());
  // One assertion on the whole text: a failure shows where they part.
  const std::string result = c.Result();
  size_t at = 0;
  while (at < result.size() && at < expected.size() && result[at] == expected[at]) ++at;
  EXPECT_EQ(result.size(), expected.size());
  EXPECT_EQ(at, expected.size()) << "first difference at byte " << at << ", in the line\n"
                                 << result.substr(result.rfind('\n', at) + 1, 80);
  EXPECT_EQ(r.out, ReadSourceFile(dir + ".stdout"));
}

INSTANTIATE_TEST_SUITE_P(Conversions, GoldenResult, testing::ValuesIn(kGolden),
                         [](const testing::TestParamInfo<Golden>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name) {
                             if (ch == '-') ch = '_';
                           }
                           return name;
                         });

}  // namespace
