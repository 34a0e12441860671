// The initialisation and the fixed order of the conversion stages.
#include "context/CalculateProc.h"
#include "input/CommFun.h"

bool TCalculateProc::Init() {
  if (!DataClear()) return false;
  return EnvRead();
}

bool TCalculateProc::Init(const std::string& outFileName) {
  OutFileName = outFileName;
  return Init();
}

int TCalculateProc::CalculateProcess() {
  bool ok = Calculate_progress1() && Calculate_progress2() && Calculate_T1T2Set() &&
            Calculate_progress3();
  if (!ok) {
    CommFun->ErrorLine("%s", CalcError.empty() ? "calculation stopped" : CalcError.c_str());
    return -1;
  }
  DispCalculateData();
  // A result file that could not be written is a failed run: the user must
  // not take an old or missing file for this run's result.
  if (WriteAllCalculateData() != 1) return -1;
  WarnFollowStretches();
  return 1;
}
