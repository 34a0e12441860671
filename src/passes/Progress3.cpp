// Pass 3: cuts the trace into runs of one driving mode and hands each run, in
// time order, to the setter of its mode, showing the progress meanwhile.
#include <cstdio>

#include "context/CalculateProc.h"

namespace {

const char kClearProgress[] = "\b\b\b\b\b\b      \n";

void ShowProgress(int count, size_t n) {
  std::printf("\b\b\b\b\b\b%5.1f%%", static_cast<double>(count) / n * 100);
  std::fflush(stdout);
}

}  // namespace

bool TCalculateProc::Calculate_progress3() {
  // No setting changes from here on: the attainable-speed search may answer
  // a question it was asked before from its memo.
  TSpeedMemo::Scope memo(SpeedMemo);
  const size_t n = CalcData.size();
  int count = 0;
  CalcCursor = CalcData.begin();
  while (CalcCursor != CalcData.end()) {
    Pos first = CalcCursor;
    Pos end = first;
    while (end != CalcData.end() && end->Mode == first->Mode) {
      ++end;
      ++count;
    }
    ShowProgress(count, n);
    if (static_cast<size_t>(count) == n) {
      std::fputs(kClearProgress, stdout);
      std::fflush(stdout);
    }
    switch (first->Mode) {
      case 0:
        if (!Calculate_SetIDLE(first, end)) return false;
        CalcCursor = end;
        break;
      case 1:
        if (!Calculate_Set_Start(first, end)) return false;
        CalcCursor = end;
        if (!Calculate_Start_Following(CalcCursor)) return false;
        ++CalcCursor;
        break;
      case 2:
        if (!Calculate_Set_SteadyState(first, end)) return false;
        CalcCursor = end;
        break;
      case 4:
        if (!Calculate_T6Set(first, end)) return false;
        if (!Calculate_Set_Deceleration(first, end)) return false;
        CalcCursor = end;
        break;
      case 5:
        if (!Calculate_T3Set(first, end)) return false;
        if (!Calculate_Set_Acceleration(first, end)) return false;
        CalcCursor = end;
        break;
      default:
        CalcCursor = first + 1;
        break;
    }
  }
  std::fputs(kClearProgress, stdout);
  std::fflush(stdout);
  return true;
}
