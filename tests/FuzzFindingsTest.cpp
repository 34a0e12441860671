// Regression tests of the faults the fuzz targets under fuzz/ found, each
// reduced to the smallest input that showed it. Most of them only fail
// visibly under the sanitizer build (make sanitize), where the fault was an
// undefined operation.
#include <gtest/gtest.h>

#include "TestUtil.h"
#include "output/FollowWarning.h"

namespace {

// A pattern may ask for any finite speed. The follow warning compared such
// speeds in hundredths as long long: 1e300 km/h rounded out of range, and
// the difference of two such values overflowed.
TEST(FuzzFindings, FollowWarningTakesAnyFiniteSpeed) {
  EXPECT_EQ(SpeedCents(1e15), 100000000000000000LL);  // the largest exact value stays
  EXPECT_EQ(SpeedCents(1e300), 4000000000000000000LL);
  EXPECT_EQ(SpeedCents(-1e300), -4000000000000000000LL);

  std::vector<stFollowPoint> points;
  for (int t = 0; t <= 12; ++t) {
    stFollowPoint p;
    p.Time = t;
    p.Vtarget = 4.3e46;
    p.Vreal = t % 2 == 0 ? 0 : -1e300;
    points.push_back(p);
  }
  std::vector<stFollowStretch> stretches = FindFollowStretches(points);
  ASSERT_EQ(stretches.size(), 1u);
  EXPECT_EQ(stretches[0].Duration(), 12);
}

}  // namespace
