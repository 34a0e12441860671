// The hinted full-load lookup of the attainable-speed search gives exactly
// what GetLineReviseMaxTorque gives, whatever segment it is told to try.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "TestUtil.h"
#include "input/CurveLookup.h"

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectSameAsTheLookup(TCalculateProc& p, const std::vector<double>& speeds) {
  const MAX_TORQUE* points = p.MaxTorque.empty() ? nullptr : &*p.MaxTorque.begin();
  const size_t count = p.MaxTorque.size();
  size_t hint = 0;
  for (double ne : speeds) {
    double expected = p.GetLineReviseMaxTorque(ne);
    EXPECT_TRUE(SameBits(CurveValueNear(points, count, ne, hint), expected)) << ne;
    // A hint from anywhere, even past the end, only costs a search.
    for (size_t wild : {size_t{0}, count / 2, count, count + 5}) {
      size_t h = wild;
      EXPECT_TRUE(SameBits(CurveValueNear(points, count, ne, h), expected)) << ne << " " << wild;
    }
  }
}

std::vector<double> Speeds(TCalculateProc& p) {
  std::vector<double> speeds = {-100, 0, 1e-300, 5000, 1e9, NAN, INFINITY, -INFINITY};
  for (const MAX_TORQUE& m : p.MaxTorque) {
    speeds.push_back(m.Ne);
    speeds.push_back(std::nextafter(m.Ne, -INFINITY));
    speeds.push_back(std::nextafter(m.Ne, INFINITY));
  }
  std::mt19937 random(8);
  std::uniform_real_distribution<double> anywhere(300, 3000);
  for (int i = 0; i < 2000; ++i) speeds.push_back(anywhere(random));
  // Runs of nearby speeds, as a search asks them.
  for (int i = 0; i < 200; ++i) {
    double ne = anywhere(random);
    for (int k = 0; k < 10; ++k) speeds.push_back(ne += (k % 2 ? -1 : 1) * 3.0 / (k + 1));
  }
  return speeds;
}

TEST(CurveLookup, SameValuesAsTheCurveLookupOnTheTruck) {
  TCalculateProc p;
  testutil::SetUpTruck(p);
  ExpectSameAsTheLookup(p, Speeds(p));
}

TEST(CurveLookup, SameValuesOnShortAndDegenerateCurves) {
  TCalculateProc p;
  testutil::SetUpTruck(p);
  MAX_TORQUE a, b;
  a.Ne = 1000;
  a.Te = 400;
  b.Ne = 2000;
  b.Te = 500;
  p.MaxTorque.assign({a, b});
  ExpectSameAsTheLookup(p, Speeds(p));
  p.MaxTorque.assign({a});
  ExpectSameAsTheLookup(p, {500, 1000, 1500});
  p.MaxTorque.clear();
  ExpectSameAsTheLookup(p, {500, 1000, 1500});
}

}  // namespace
