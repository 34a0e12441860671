// The rated-speed shifts: an upshift when the engine would reach Nex, a
// downshift when it falls to the gear's downshift speed, and the acceptance
// test of a candidate gear over a window.
#include <algorithm>

#include "context/CalculateProc.h"
#include "shift/ShiftCommon.h"

bool TCalculateProc::Calculate_RatedUp(Pos first, Pos last, int& newGear, int gear) {
  if (!EnterSearch()) return false;
  int g = gear;
  Pos w = std::min(WindowEnd(first, ShiftTime), last);
  int s = g;
  double deficit;
  Calculate_GearUp(first, w, deficit, g);
  if (g == s && g + 1 <= GearNum) {
    for (int i = 0; i < 3 && CalcError.empty(); ++i) {
      s = g;
      Pos wi = std::min(WindowEnd(first, ShiftTime - i), last);
      Calculate_MaxNeGearUp(first, wi, g);
      if (g != s) break;
    }
  }
  LeaveSearch();
  newGear = g;
  return g != gear;
}

bool TCalculateProc::Calculate_RatedDown(Pos first, Pos /*last*/, int& newGear, int gear) {
  if (!EnterSearch()) return false;
  Pos w = WindowEnd(first, ShiftTime);
  int g = gear;
  bool passed = false;
  for (; g >= LowestShiftGear; --g) {
    if (Calculate_T3Check(first, w, g, gear)) {
      passed = true;
      break;
    }
  }
  if (!passed) g = LowestShiftGear;
  if (g == LowestShiftGear) {
    for (int i = 0; i < 3; ++i) {
      int s = g;
      Calculate_MaxNeGearUp(first, WindowEnd(first, ShiftTime - i), g);
      if (g != s) break;
    }
  }
  LeaveSearch();
  newGear = g;
  return g != gear;
}

// Whether gear g can drive the window [first, end): the engine strictly
// between Ndown and Nex, and, for a gear other than the one in use c, the
// demand within full load and the driving-force reserve kept.
bool TCalculateProc::Calculate_T3Check(Pos first, Pos end, int g, int c) {
  if (g > GearNum) return false;
  double nd;
  if (!GearDown(g, nd)) return false;
  Pos p = first - 1;
  double dt = p->StepLength / 10.0;
  double vt = first->Vtarget;
  double at = (vt - p->Vreal) / dt * 1000 / 3600;
  double n, te, v, a;
  if (GetNe(g, vt, n) == -1) return false;
  if (n >= Nex) return false;
  if (n <= nd) return false;
  if (GetTe_NotRevise(g, vt, at, n, te) == -1) return false;
  if (te > GetLineReviseMaxTorque(n) && g != c) return false;
  if (!StepUpdate(first, g, v, n, a)) return false;
  if (g != c) {
    at = (first->Vtarget - p->Vreal) / dt * 1000 / 3600;
    if (!CheckForce(g, first->Vtarget, at)) return false;
  }
  for (Pos x = first; x != end; ++x) {
    if (!StepUpdate(x, g, v, n, a)) return false;
    if (a < 0) return true;
    if (n >= Nex) return false;
    if (n <= nd) return false;
    if (g != c) {
      Pos q = x - 1;
      double dtx = q->StepLength / 10.0;
      double vtx = x->Vtarget;
      double atx = (vtx - q->Vreal) / dtx * 1000 / 3600;
      if (GetTe_NotRevise(g, vtx, atx, n, te) == -1) return false;
      if (te > GetLineReviseMaxTorque(n)) return false;
    }
  }
  return true;
}
