// Deceleration runs keep the gear of the record before them; the shift clock
// runs on and the reached speed is carried forward with the stored
// accelerations, which are then recomputed from the reached speeds.
#include "context/CalculateProc.h"

bool TCalculateProc::Calculate_T6Set(Pos first, Pos last) {
  if (first == CalcData.begin()) return CalcFailure(first, "a deceleration begins the trace");
  Pos p = first - 1;
  const int g = p->Gear;
  double vr = p->Vreal;
  double a = p->AccMs2;
  int l = p->GearTime;
  int s = p->StepLength;
  for (Pos x = p; x != last; ++x) x->Gear = g;
  for (Pos x = first; x != last; ++x) {
    if (x->Gear == 0) continue;
    if (x != first) {
      Pos q = x - 1;
      l = q->GearTime;
      s = q->StepLength;
      a = q->AccMs2;
      vr = q->Vreal;
    }
    double ne;
    if (GetNe(x->Gear, vr, ne) != 1) return CalcFailure(x, x->Gear);
    x->GearTime = l + s;
    x->Vreal = vr + a * (s / 10.0) * 3.6;
  }
  BtwnCarASet(first, last);
  return true;
}
