// The trace's search from a record finds what the search of the whole
// trace finds.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "context/Trace.h"

namespace {

TEST(TraceFind, FromARecordAsInTheWholeTrace) {
  std::mt19937 random(8);
  std::uniform_int_distribution<int> gap(1, 12);
  for (size_t length : {0u, 1u, 2u, 5u, 9u, 40u, 700u}) {
    TCalcData trace;
    double t = 0;
    for (size_t i = 0; i < length; ++i) {
      stCalculateData rec;
      rec.Time10 = t;
      trace.push_back(rec);
      t += gap(random) * (i % 3 ? 1 : 0.5);  // whole seconds and fractions
    }
    for (TCalcData::iterator from = trace.begin(); from != trace.end(); ++from) {
      for (double seconds : {0.0, 0.1, 0.5, 1.0, 2.0, 3.0, 7.3, 25.0, 1e9, -1.0, -30.0}) {
        double key = from->Time10 + seconds * 10;
        EXPECT_EQ(trace.findFrom(from, key), trace.find(key)) << length << " " << seconds;
      }
      // Keys of later records, hit exactly.
      for (TCalcData::iterator to = from; to != trace.end() && to - from < 100; ++to) {
        EXPECT_EQ(trace.findFrom(from, to->Time10), to);
      }
      EXPECT_EQ(trace.findFrom(from, NAN), trace.end());
    }
    EXPECT_EQ(trace.findFrom(trace.end(), 10), trace.find(10));
  }
}

}  // namespace
