// Vehicle test mass and running resistance.
#include "context/CalculateProc.h"
#include "model/GearModel.h"

// The test mass: the vehicle with half its payload and one person, plus,
// with withRotating, the rotating-mass equivalent of the gear.
double TCalculateProc::GetCarWeight(bool withRotating, int gear) {
  if (!withRotating) return TestPayload + TestW0 + CrewUnitWeight;
  double i;
  GetGearHi(gear, i);  // a gear without ratio counts with 1.0
  return TestW0 * RotCoefB + TestW0 + TestW0 * RotCoefA * i * i + TestPayload + CrewUnitWeight;
}

// Rolling plus air resistance at v km/h, in kgf.
double TCalculateProc::CalcRL(double v) {
  return RunningResistance(RollingResistance(GetCarWeight(false, 0)), AirCoefficient(Width, Height),
                           v);
}
