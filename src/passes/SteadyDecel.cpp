// The steady-state run at the start of a trace that begins in motion, and
// deceleration runs, whose records reach their target speed exactly.
#include "context/CalculateProc.h"

bool TCalculateProc::Calculate_Set_SteadyState(Pos first, Pos last) {
  Pos from = first == CalcData.begin() ? first : first - 1;
  const int g = from->Gear;
  int t = from->GearTime;
  int s = from->StepLength;
  double v = from->Vreal;
  for (Pos r = first; r != last; ++r) {
    // The first record of the trace has no record before it: its own
    // acceleration, the slope of its first segment, drives the step.
    double a = r == CalcData.begin() ? r->AccMs2 : (r - 1)->AccMs2;
    double vNew = v + a * (s / 10.0) * 3.6;
    double rl = CalcRL(vNew);
    double ne, te;
    if (GetNe(g, vNew, ne) == -1) return CalcFailure(r, g);
    if (ne < Nec) {
      r->Fixed = 1;
      ne = Nec;
      te = 0;
    } else if (GetTe(g, vNew, a, ne, te) == -1) {
      return CalcFailure(r, g);
    }
    r->GearTime = t + r->StepLength;
    r->Vreal = vNew;
    r->Ne = ne;
    r->RL = rl;
    r->Te = te;
    r->Gear = g;
    t = r->GearTime;
    s = r->StepLength;
    v = r->Vreal;
  }
  return true;
}

bool TCalculateProc::Calculate_Set_Deceleration(Pos first, Pos last) {
  if (first == CalcData.begin()) return CalcFailure(first, "a deceleration begins the trace");
  for (Pos r = first; r != last; ++r) {
    const int g = r->Gear;
    Pos p = r - 1;
    double v = p->Vreal;
    int s = p->StepLength;
    int t = p->GearTime;
    double a = (r->Vtarget - v) / (s / 10.0) * 1000 / 3600;
    p->AccMs2 = a;
    double vNew = v + a * (s / 10.0) * 3.6;
    double rl = CalcRL(vNew);
    double ne, te;
    if (GetNe(g, vNew, ne) == -1) return CalcFailure(r, g);
    if (ne < Nec) {
      // The clutch is released: the record idles in neutral.
      r->Mode = 0;
      r->Fixed = 1;
      r->Gear = 0;
      ne = Nidle;
      te = 0;
      r->GearTime = 0;
    } else {
      if (GetTe(g, vNew, a, ne, te) == -1) return CalcFailure(r, g);
      r->GearTime = t + r->StepLength;
    }
    r->Vreal = vNew;
    r->Ne = ne;
    r->RL = rl;
    r->Te = te;
  }
  return true;
}
