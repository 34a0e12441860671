// The full-load lookup of GetLineReviseMaxTorque on a curve given as its
// points in ascending engine speed: the segment, then the straight line
// through it, in the lookup's order of operations.
#ifndef CONVERTD_INPUT_CURVELOOKUP_H_
#define CONVERTD_INPUT_CURVELOOKUP_H_

#include <algorithm>
#include <cstddef>

#include "context/Records.h"

// Index of the first point whose engine speed is not below ne, as
// lower_bound finds it; count when there is none.
inline size_t CurveUpperIndex(const MAX_TORQUE* points, size_t count, double ne) {
  return std::lower_bound(points, points + count, ne,
                          [](const MAX_TORQUE& p, double x) { return p.Ne < x; }) -
         points;
}

// The full-load torque at ne, with b = CurveUpperIndex(points, count, ne)
// and at least two points.
inline double CurveValue(const MAX_TORQUE* points, size_t count, size_t b, double ne) {
  if (b == count) {
    const MAX_TORQUE& B = points[count - 1];
    const MAX_TORQUE& A = points[count - 2];
    if (B.Ne - A.Ne == 0) return 0;
    return (B.Te - A.Te) / (B.Ne - A.Ne) * (ne - B.Ne) + B.Te;
  }
  // At or below the first point the first segment is continued.
  const MAX_TORQUE& A = points[b == 0 ? 0 : b - 1];
  const MAX_TORQUE& B = points[b == 0 ? 1 : b];
  if (B.Ne - A.Ne == 0) return 0;
  return (B.Te - A.Te) / (B.Ne - A.Ne) * (ne - A.Ne) + A.Te;
}

// The same lookup for a caller that asks many times at nearby engine
// speeds: hint holds the index b of its previous lookup and is tried before
// a search. On ascending points a b that passes both tests is the one
// lower_bound would find.
inline double CurveValueNear(const MAX_TORQUE* points, size_t count, double ne, size_t& hint) {
  if (count < 2) return 0;
  size_t b = hint;
  if (!(b <= count && (b == 0 || points[b - 1].Ne < ne) && (b == count || !(points[b].Ne < ne)))) {
    b = CurveUpperIndex(points, count, ne);
    hint = b;
  }
  return CurveValue(points, count, b, ne);
}

#endif  // CONVERTD_INPUT_CURVELOOKUP_H_
