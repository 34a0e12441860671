// Notions shared by the shift searches: the step update of a record in a
// gear, the end of a look-ahead window and the distance lost over a step.
#include "context/CalculateProc.h"
#include "shift/ShiftCommon.h"

// The attainable speed of record x in gear from the record before it; writes
// x.Vreal and the acceleration into the record before x.
bool TCalculateProc::StepUpdate(Pos x, int gear, double& v, double& ne, double& acc) {
  Pos q = x - 1;
  double vp = q->Vreal;
  double dt = q->StepLength / 10.0;
  v = x->Vtarget;
  if (!CalcTeMaxSp(gear, dt, vp, v, ne)) return false;
  acc = (v - vp) / dt * 1000 / 3600;
  q->AccMs2 = acc;
  x->Vreal = v;
  return true;
}

// The record exactly `seconds` after x, or the end of the trace; the
// search starts at x, a window being a few records long.
TCalculateProc::Pos TCalculateProc::WindowEnd(Pos x, double seconds) {
  return CalcData.findFrom(x, x->Time10 + seconds * 10);
}

// The distance in metres that record x falls behind its target over the step
// from the record before it, every step counting as one second.
double TCalculateProc::StepDeficit(Pos x) {
  Pos q = x - 1;
  return ((q->Vtarget + x->Vtarget) - (q->Vreal + x->Vreal)) / 7.2;
}

// The searches call each other (a gear-up search may ask for a rated-speed
// shift, which asks for a gear-up search again); their nesting is bounded,
// and a deeper one ends the conversion instead of the stack.
bool TCalculateProc::EnterSearch() {
  if (SearchDepth >= kMaxSearchDepth) {
    CalcFailure(CalcData.end(), "the gear-shift searches nest too deeply");
    return false;
  }
  ++SearchDepth;
  return true;
}

int ChooseGear(const GearDeficit* table, int count, bool tiesToHigher) {
  int best = 0;
  for (int i = 1; i < count; ++i) {
    double d = table[i].deficit < 0 ? -table[i].deficit : table[i].deficit;
    double b = table[best].deficit < 0 ? -table[best].deficit : table[best].deficit;
    if (d < b || (d == b && (tiesToHigher ? table[i].gear > table[best].gear
                                          : table[i].gear < table[best].gear))) {
      best = i;
    }
  }
  return best;
}
