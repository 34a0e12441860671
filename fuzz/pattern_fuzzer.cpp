// The pattern reader on an arbitrary pattern file. A trace it accepts must be
// one the passes can work on: ascending keys at least a tenth of a second
// apart, step lengths that match them, finite non-negative speeds.
#include <cmath>
#include <string>

#include "FuzzUtil.h"
#include "context/CalculateProc.h"

namespace {

// Longer patterns are valid, but build one record per second.
const double kMaxEndSeconds = 20000;
const size_t kMaxInput = 8192;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzutil::Setup();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (!fuzzutil::PatternEndWithin(text, kMaxEndSeconds)) return 0;
  fuzzutil::WriteFile("pattern.txt", text);

  TCalculateProc* proc = new TCalculateProc();
  proc->SetConstants();
  if (proc->PtnRead(fuzzutil::File("pattern.txt"))) {
    TCalcData& trace = proc->CalcData;
    for (TCalculateProc::Pos it = trace.begin(); it != trace.end(); ++it) {
      const stCalculateData& r = *it;
      FUZZ_CHECK(std::isfinite(r.Time10) && r.Time10 >= 0, "key %g", r.Time10);
      FUZZ_CHECK(r.PrintMark == 1, "key %g: PrintMark %d", r.Time10, r.PrintMark);
      FUZZ_CHECK(std::isfinite(r.Vpattern) && r.Vpattern >= 0, "key %g: speed %g", r.Time10,
                 r.Vpattern);
      if (r.PatternMark == 0) {
        FUZZ_CHECK(std::fmod(r.Time10, 10) == 0 && r.Vpattern == 0 && r.Fixed == 0,
                   "grid record at key %g", r.Time10);
      } else {
        FUZZ_CHECK(r.PatternMark == 1, "PatternMark %d", r.PatternMark);
        FUZZ_CHECK(r.Fixed == (r.Vpattern == 0 ? 1 : 0), "key %g: Fixed %d", r.Time10, r.Fixed);
      }
      TCalculateProc::Pos next = it + 1;
      if (next == trace.end()) {
        FUZZ_CHECK(r.StepLength == 0, "last record: StepLength %d", r.StepLength);
        FUZZ_CHECK(r.PatternMark == 1, "the last record is no pattern point");
        FUZZ_CHECK(r.Time10 <= kMaxEndSeconds * 10, "end key %g", r.Time10);
      } else {
        FUZZ_CHECK(next->Time10 - r.Time10 >= 1, "keys %g and %g", r.Time10, next->Time10);
        FUZZ_CHECK(r.StepLength == static_cast<int>(next->Time10 - r.Time10),
                   "key %g: StepLength %d", r.Time10, r.StepLength);
      }
    }
    // The records are found by their keys, as the passes look them up.
    for (const stCalculateData& r : trace) {
      FUZZ_CHECK(trace.find(r.Time10) != trace.end(), "key %g not found", r.Time10);
    }
  }
  delete proc;
  return 0;
}
