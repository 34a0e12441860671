// The gears of an acceleration run. After a start or a gear change the gear
// stays for ShiftTime seconds; then, at every record, the engine speed and
// torque needed to follow the target in the gear in use decide which shift
// search runs. A gear change at a record marks it with TKind 3.
//
// The searches rewrite Vreal and AccMs2 of the records they pass, candidate
// by candidate, and later steps read what they left: the order of the steps
// below is part of the result.
#include "context/CalculateProc.h"

bool TCalculateProc::Calculate_T3Set(Pos first, Pos& last) {
  if (first == CalcData.begin()) return CalcFailure(first, "an acceleration begins the trace");
  const Pos p = first - 1;
  int g = p->Gear;
  int l = p->GearTime;
  bool reselected = false;  // the start gear was chosen anew
  bool evaluated = false;

  // The start gear.
  if (p->Fixed == 1 && p->Gear == 0) {
    g = LowestShiftGear;
    double deficit;
    Calculate_GearUp(first, WindowEnd(first, ShiftTime), deficit, g);
    reselected = true;
  } else if (p->Te < 0 && p->Gear != 0) {
    int newGear;
    if (Calculate_RatedDown(first, last, newGear, g)) g = newGear;
    if (g != p->Gear) {
      reselected = true;
      l = 0;
    }
  }
  if (!CalcError.empty()) return false;
  for (Pos x = first; x != last; ++x) {
    x->Gear = g;
    if (reselected) x->GearTime = 0;
  }

  for (Pos x = first; x != last; ++x) {
    if (x->Gear == 0) continue;
    const Pos q = x - 1;
    if (x != first) {
      l = q->GearTime;
      g = q->Gear;
    }
    const int g0 = g;
    const int s = q->StepLength;
    const double vp = q->Vreal;
    const double dt = q->StepLength / 10.0;
    double v, n, a;
    if (!StepUpdate(x, g, v, n, a)) return CalcFailure(x, g);

    if ((l + s) / 10.0 < ShiftTime) {
      evaluated = false;
    } else {
      double nd;
      if (!GearDown(g0, nd)) return CalcFailure(x, g0);
      int newGear;
      if (n >= Nex) {
        if (Calculate_RatedUp(x, last, newGear, g)) g = newGear;
      } else {
        const double vt = x->Vtarget;
        a = (vt - vp) / dt * 1000 / 3600;
        if (GetNe(g, vt, n) == -1) return CalcFailure(x, g);
        if (n <= nd && Calculate_RatedDown(x, last, newGear, g)) g = newGear;
        double te;
        if (GetTe_NotRevise(g, vt, a, n, te) == -1) return CalcFailure(x, g);
        double tfl = GetLineReviseMaxTorque(n);
        if (te > tfl && g - 1 >= LowestShiftGear) {
          for (int i = 0; i < 3; ++i) {
            if (Calculate_TeMinGear(x, i, g)) break;
          }
        }
      }
      if (!CalcError.empty()) return false;

      if (g != g0) {
        if (!StepUpdate(x, g, v, n, a)) return CalcFailure(x, g);
        x->Gear = g;
      } else {
        // A search may have left the attainable speed of its last candidate
        // in Vreal; the check runs on what is there now.
        const double vx = x->Vreal;
        if (GetNe(g, vx, n) == -1) return CalcFailure(x, g);
        double te;
        if (GetTe_NotRevise(g, vx, a, n, te) == -1) return CalcFailure(x, g);
        double tfl = GetLineReviseMaxTorque(n);
        if (te <= tfl) {
          double deficit;
          Calculate_GearUp(x, WindowEnd(x, ShiftTime), deficit, g);
          if (!CalcError.empty()) return false;
        }
        if (!StepUpdate(x, g, v, n, a)) return CalcFailure(x, g);
        x->Gear = g;
      }
      evaluated = true;
    }

    // Bookkeeping of x.
    if (evaluated && g != g0) {
      reselected = false;
      x->GearTime = 0;
      x->TKind = 3;
      for (Pos y = x; y != last; ++y) {
        y->Gear = g;
        if (y != x) y->GearTime = (y - 1)->GearTime + (y - 1)->StepLength;
      }
      // The new gear carries over into the first record of the next run.
      if (last != CalcData.end()) {
        last->Gear = g;
        last->GearTime = (last - 1)->GearTime + (last - 1)->StepLength;
      }
    } else if (reselected) {
      reselected = false;
      if (l != 0) x->GearTime = l + s;
    } else {
      x->Gear = g;
      x->GearTime = l + s;
    }
  }
  BtwnCarASet(first, last);
  return true;
}
