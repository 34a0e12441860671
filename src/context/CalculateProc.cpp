// Construction and destruction of the conversion object, and the small
// helpers of the context.
#include "context/CalculateProc.h"

#include <cmath>
#include <cstdio>

TCalculateProc* CalculateProc = nullptr;

TCalculateProc::TCalculateProc() {
  std::fputs("Ver 1.1 ", stdout);
  OutFileName = "";
}

TCalculateProc::~TCalculateProc() {
  DataClear();
  ExceedForce.clear();
  MaxTorque.clear();
  CalcData.release();
  GearRatio.clear();
  OutFileName.clear();
}

bool TCalculateProc::DataClear() {
  CalcData.clear();
  return true;
}

bool TCalculateProc::GetKG(double& kg) {
  kg = Gravity;
  return true;
}

double TCalculateProc::GetMaxNe() { return std::trunc(Nrate); }
