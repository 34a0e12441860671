// Pass 3: cuts the trace into runs of one driving mode and hands each run, in
// time order, to the setter of its mode, showing the progress meanwhile.
#include <cstdio>
#include <cstring>

#include "context/CalculateProc.h"

namespace {

const char kClearProgress[] = "\b\b\b\b\b\b      \n";

// The progress text of every run goes to standard output; it is flushed
// only when it differs from the text flushed last, since the same text
// again changes nothing on the console. A long pattern has tens of
// thousands of runs but shows at most 1001 different texts.
class TProgress {
 public:
  void Show(int count, size_t n) {
    char text[64];
    int len = std::snprintf(text, sizeof text, "\b\b\b\b\b\b%5.1f%%",
                            static_cast<double>(count) / n * 100);
    if (len < 0) return;
    std::fwrite(text, 1, static_cast<size_t>(len), stdout);
    if (std::strcmp(text, shown_) != 0) {
      std::fflush(stdout);
      std::memcpy(shown_, text, sizeof shown_);
    }
  }

 private:
  char shown_[64] = "";
};

}  // namespace

bool TCalculateProc::Calculate_progress3() {
  // No setting changes from here on: the attainable-speed search may answer
  // a question it was asked before from its memo.
  TSpeedMemo::Scope memo(SpeedMemo);
  const size_t n = CalcData.size();
  int count = 0;
  TProgress progress;
  CalcCursor = CalcData.begin();
  while (CalcCursor != CalcData.end()) {
    Pos first = CalcCursor;
    Pos end = first;
    while (end != CalcData.end() && end->Mode == first->Mode) {
      ++end;
      ++count;
    }
    progress.Show(count, n);
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
