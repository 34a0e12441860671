// The allocator of the trace: small and large blocks hold what is put into
// them, and a vector growing across the size where blocks are mapped keeps
// its elements.
#include <gtest/gtest.h>

#include <vector>

#include "context/LargeAllocator.h"
#include "context/Trace.h"

namespace {

TEST(LargeAllocator, VectorsKeepTheirElementsAcrossTheMappedSize) {
  std::vector<long, TLargeAllocator<long>> values;
  const long n = static_cast<long>(3 * kLargeBlock / sizeof(long));
  for (long i = 0; i < n; ++i) values.push_back(i * 7);
  for (long i = 0; i < n; ++i) ASSERT_EQ(values[i], i * 7);
  values.resize(10);
  values.shrink_to_fit();
  EXPECT_EQ(values.back(), 63);
  std::vector<long, TLargeAllocator<long>> copy(values);
  EXPECT_EQ(copy, values);
}

TEST(LargeAllocator, TheTraceHoldsLongPatterns) {
  TCalcData trace;
  const size_t n = kLargeBlock / sizeof(stCalculateData) * 2 + 3;
  trace.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    stCalculateData rec;
    rec.Time10 = static_cast<double>(i) * 10;
    rec.Gear = static_cast<int>(i % 7);
    trace.push_back(rec);
  }
  ASSERT_EQ(trace.size(), n);
  EXPECT_EQ(trace.find(12340)->Gear, 1234 % 7);
  EXPECT_EQ(trace.back().Time10, static_cast<double>(n - 1) * 10);
  trace.release();
  EXPECT_TRUE(trace.empty());
}

}  // namespace
