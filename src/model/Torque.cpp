// The engine torque a gear needs for a speed and an acceleration.
#include "context/CalculateProc.h"
#include "model/GearModel.h"

// Unlimited demand: inertia force plus running resistance, carried back
// through the tyre radius, the total ratio and both efficiencies.
int TCalculateProc::GetTe_NotRevise(int gear, double v, double acc, double /*ne*/, double& te) {
  double g;
  if (!GetKG(g)) return -1;
  double wRot = GetCarWeight(true, gear);
  double etaGear = GetGearPass(gear);
  double iN;
  if (GetGeariN(gear, iN) == -1) return -1;
  double rl = CalcRL(v);
  te = TorqueDemand((g * TireRadius) / (iN * etaGear * FinalEfficiency), wRot / g, acc, rl);
  return 1;
}

// The same demand, limited to the full-load torque at a positive engine
// speed. A curve that gives 0 (none, or a degenerate one) limits nothing.
int TCalculateProc::GetTe(int gear, double v, double acc, double ne, double& te) {
  double demand;
  if (GetTe_NotRevise(gear, v, acc, ne, demand) == -1) return -1;
  double fl = GetLineReviseMaxTorque(ne);
  if (ne > 0 && demand > fl && fl != 0) demand = fl;
  te = demand;
  return 1;
}
