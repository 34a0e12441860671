// Acceleration runs: every record reaches what the full-load model allows in
// its gear over the step. A vehicle still behind its target at the end of
// the run carries the phase on into the following records.
#include "context/CalculateProc.h"

bool TCalculateProc::Calculate_Set_Acceleration(Pos first, Pos last) {
  if (first == CalcData.begin()) return CalcFailure(first, "an acceleration begins the trace");
  Pos r = first;
  while (r != last) {
    Pos p = r - 1;
    int g = r->Gear;
    if (g == 0 && p->Gear != 0) {
      r->Gear = p->Gear;
      g = p->Gear;
    }
    double v = p->Vreal;
    int s = p->StepLength;
    int t = p->GearTime;
    double vNew = r->Vtarget;
    double ne = 0;
    if (!CalcTeMaxSp(g, s / 10.0, v, vNew, ne)) return CalcFailure(r, g);
    double a = (vNew - v) / (s / 10.0) * 1000 / 3600;
    p->AccMs2 = a;
    double rl = CalcRL(vNew);
    if (r->TKind == 3) {
      if (ne < Nec) ne = Nec;
      r->GearTime = 0;
    } else {
      if (ne < Nes) ne = Nes;
      r->GearTime = t + r->StepLength;
    }
    double te;
    if (GetTe(g, vNew, a, ne, te) == -1) return CalcFailure(r, g);
    r->Vreal = vNew;
    r->Ne = ne;
    r->RL = rl;
    r->Te = te;
    Pos q = r;
    ++r;
    if (r == last && q->Vreal < q->Vtarget) {
      // Behind the target: take the next record in, unless the trace ends
      // or its target already lies below the speed reached.
      if (r == CalcData.end()) return true;
      if (r->Vtarget < q->Vreal) return true;
      ++last;
      if (last != CalcData.end()) last->Gear = q->Gear;
      r->Mode = 5;
    }
  }
  return true;
}
