// Gear ratios and the conversions between vehicle speed and engine speed.
// Gear numbers run from 1 to the number of ratios; neutral (0) and any other
// number outside that range has no ratio and fails like a gear above it.
#include "context/CalculateProc.h"
#include "model/GearModel.h"

int TCalculateProc::GetGearHi(int gear, double& ratio) {
  if (GearRatio.empty() || gear < 1 || gear > static_cast<int>(GearRatio.size())) {
    ratio = 1.0;
    return -1;
  }
  ratio = GearRatio[gear - 1];
  return 1;
}

int TCalculateProc::GetGeariN(int gear, double& iN) {
  double ratio;
  if (GetGearHi(gear, ratio) == -1) return -1;
  iN = ratio * FinalRatio;
  return 1;
}

int TCalculateProc::GetNe(int gear, double v, double& ne) {
  double iN;
  if (GetGeariN(gear, iN) == -1) return -1;
  ne = EngineSpeed(v, iN, 2 * Pi * TireRadius);
  return 1;
}

int TCalculateProc::GetV(int gear, double ne, double& v) {
  double iN;
  if (GetGeariN(gear, iN) == -1) return -1;
  v = VehicleSpeed(ne, iN, 2 * Pi * TireRadius);
  return 1;
}
