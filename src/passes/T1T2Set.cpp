// Marks every departure from standstill as a start record, starts its shift
// clock and recomputes the step lengths.
#include "context/CalculateProc.h"

bool TCalculateProc::Calculate_T1T2Set() {
  int prevMode = 0;
  for (CalcCursor = CalcData.begin(); CalcCursor != CalcData.end(); ++CalcCursor) {
    Pos r = CalcCursor;
    if (prevMode == 0 && r->Mode == 5 && r->TKind == 0) {
      r->Mode = 1;
      r->TKind = 2;
      r->Fixed = 0;
      r->StartMark = 1;
      r->StepLength = 0;
    }
    prevMode = r->Mode;
  }
  for (CalcCursor = CalcData.begin(); CalcCursor != CalcData.end(); ++CalcCursor) {
    Pos r = CalcCursor;
    if (r->TKind == 2) r->GearTime = static_cast<int>(ShiftTime * 10);
    Pos n = r + 1;
    r->StepLength = n != CalcData.end() ? static_cast<int>(n->Time10 - r->Time10) : 0;
  }
  return true;
}
