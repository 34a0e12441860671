// The full-load curve reader on an arbitrary curve file, and the lookup on
// what it read: at the points, between them, beyond both ends and at
// extreme engine speeds.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "FuzzUtil.h"
#include "context/CalculateProc.h"

namespace {

const size_t kMaxInput = 8192;

bool Finite(double a, double b, double c) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

// What the rounding of the interpolation formula may add to a torque of a
// segment whose ends hold these torques.
double Slack(double a, double b, double c) {
  return 1e-9 * std::max({std::fabs(a), std::fabs(b), std::fabs(c), 1.0});
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzutil::Setup();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  fuzzutil::WriteFile("curve.txt", data, size);

  TCalculateProc* proc = new TCalculateProc();
  int read = proc->ReadMaxTorqueData(fuzzutil::File("curve.txt"));
  FUZZ_CHECK(read == 1 || read == -1, "result %d", read);
  if (read == 1) {
    std::vector<MAX_TORQUE> points(proc->MaxTorque.begin(), proc->MaxTorque.end());
    for (size_t i = 0; i < points.size(); ++i) {
      FUZZ_CHECK(std::isfinite(points[i].Ne) && std::isfinite(points[i].Te), "point %zu", i);
      if (i > 0) FUZZ_CHECK(points[i - 1].Ne < points[i].Ne, "points %zu and %zu", i - 1, i);
    }
    const double extremes[] = {0,
                               -1,
                               1e6,
                               -1e300,
                               1e300,
                               std::numeric_limits<double>::max(),
                               -std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()};
    for (double n : extremes) proc->GetLineReviseMaxTorque(n);

    if (points.size() < 2) {
      // No line to follow: 0 everywhere.
      for (double n : extremes) {
        FUZZ_CHECK(proc->GetLineReviseMaxTorque(n) == 0, "lookup at %g", n);
      }
      for (const MAX_TORQUE& p : points) {
        FUZZ_CHECK(proc->GetLineReviseMaxTorque(p.Ne) == 0, "lookup at %g", p.Ne);
      }
    } else {
      // Segment i runs from point i to point i + 1; the formula holds where
      // its slope is finite.
      auto segmentOk = [&](size_t i) {
        const MAX_TORQUE& a = points[i];
        const MAX_TORQUE& b = points[i + 1];
        return Finite(b.Te - a.Te, b.Ne - a.Ne, (b.Te - a.Te) / (b.Ne - a.Ne));
      };
      for (size_t i = 0; i < points.size(); ++i) {
        const MAX_TORQUE& a = points[i];
        const double at = proc->GetLineReviseMaxTorque(a.Ne);
        if (i == 0) {
          if (segmentOk(0)) FUZZ_CHECK(at == a.Te, "at the first point %g: %g, not %g", a.Ne, at, a.Te);
        } else if (segmentOk(i - 1)) {
          double slack = Slack(points[i - 1].Te, a.Te, 0);
          FUZZ_CHECK(std::fabs(at - a.Te) <= slack, "at %g: %g, not %g", a.Ne, at, a.Te);
        }
        if (i + 1 == points.size() || !segmentOk(i) || (i > 0 && !segmentOk(i - 1))) continue;
        const MAX_TORQUE& b = points[i + 1];
        const double mid = proc->GetLineReviseMaxTorque(a.Ne + (b.Ne - a.Ne) / 2);
        double slack = Slack(a.Te, b.Te, i > 0 ? points[i - 1].Te : 0);
        FUZZ_CHECK(mid >= std::min(a.Te, b.Te) - slack && mid <= std::max(a.Te, b.Te) + slack,
                   "between %g and %g: %g outside %g..%g", a.Ne, b.Ne, mid, a.Te, b.Te);
      }
    }
  }
  delete proc;
  return 0;
}
