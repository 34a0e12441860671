// Pass 2: gives every record a driving mode from the change of its target
// speed against the record before it.
#include "context/CalculateProc.h"

bool TCalculateProc::Calculate_progress2() {
  int m = 0;
  double u = 0;
  Pos prev = CalcData.end();
  for (CalcCursor = CalcData.begin(); CalcCursor != CalcData.end(); ++CalcCursor) {
    Pos r = CalcCursor;
    if (r->Vtarget == u) {
      r->Mode = m != 0 ? 5 : 0;
    } else if (r->Vtarget > u) {
      if (r == CalcData.begin()) {
        r->Mode = 2;
      } else if (m == 0) {
        prev->Mode = 5;  // a drive starts at the last standstill record
        r->Mode = 5;
      } else {
        r->Mode = 5;
      }
    } else {
      r->Mode = r->Vtarget == 0 ? 0 : 4;
    }
    m = r->Mode;
    u = r->Vtarget;
    prev = r;
  }
  return true;
}
