// A gear's model, from the same members and in the same order as the
// per-call operations of Gearing.cpp, Weight.cpp and Torque.cpp.
#include "model/GearModel.h"

#include "context/CalculateProc.h"

bool MakeGearModel(TCalculateProc& proc, int gear, TGearModel& m) {
  double g;
  if (!proc.GetKG(g)) return false;
  double iN;
  if (proc.GetGeariN(gear, iN) == -1) return false;
  m.iN = iN;
  m.wheel = 2 * proc.Pi * proc.TireRadius;
  m.factor = (g * proc.TireRadius) / (iN * proc.GetGearPass(gear) * proc.FinalEfficiency);
  m.massPerG = proc.GetCarWeight(true, gear) / g;
  m.rolling = RollingResistance(proc.GetCarWeight(false, 0));
  m.airCoefficient = AirCoefficient(proc.Width, proc.Height);
  return true;
}
