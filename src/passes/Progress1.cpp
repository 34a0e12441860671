// Pass 1: cuts the trace into segments between pattern points and gives every
// record of a segment the segment's acceleration and its target speed on the
// straight line between the two pattern speeds.
#include "context/CalculateProc.h"

namespace {

// Acceleration over dv and dt, 0 when either is exactly 0.
double Slope(double dv, double dt) {
  if (dv == 0 || dt == 0) return 0;
  return dv / dt;
}

}  // namespace

bool TCalculateProc::Calculate_progress1() {
  if (CalcData.empty()) return true;
  bool haveStart = false;
  Pos start = CalcData.end();
  double t0 = 0;
  for (CalcCursor = CalcData.begin(); CalcCursor != CalcData.end(); ++CalcCursor) {
    Pos r = CalcCursor;
    bool patternPoint = r->Vpattern != 0 || r->PatternMark != 0;
    if (!patternPoint) {
      if (haveStart) r->SegTime = r->Time10 / 10 - t0;
      continue;
    }
    if (haveStart) {
      double dv = r->Vpattern - start->Vpattern;
      double dt = r->Time10 / 10 - start->Time10 / 10;
      double a = Slope(dv, dt);
      for (Pos x = start; x != r; ++x) {
        x->AccKmhS = a;
        x->AccMs2 = a * 1000 / 3600;
        x->Vtarget = a * x->SegTime + start->Vpattern;
        x->Fixed = start->Fixed;
      }
    }
    haveStart = true;
    start = r;
    t0 = r->Time10 / 10;
    r->SegTime = 0;
  }
  return true;
}

// Recomputes record accelerations from the reached speeds as forward
// differences, from the record before first up to the one before last.
void TCalculateProc::BtwnCarASet(Pos first, Pos last) {
  if (first != CalcData.begin()) {
    --first;
    --last;
  }
  for (Pos x = first; x != last; ++x) {
    Pos n = x + 1;
    if (n == CalcData.end()) break;
    double dv = n->Vreal - x->Vreal;
    double dt = n->Time10 / 10 - x->Time10 / 10;
    double a = Slope(dv, dt);
    x->AccKmhS = a;
    x->AccMs2 = a * 1000 / 3600;
  }
}
