// Vehicle test mass and running resistance.
#include "context/CalculateProc.h"

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
  double w = GetCarWeight(false, 0);
  double rolling = (17.6 / w + 0.00513) * w;
  double air = (0.00299 * Width * Height - 0.000832) * v * v;
  return rolling + air;
}
