// The per-gear force table: ratio, efficiency, torque reserve and downshift
// engine speed of every gear, and the transmission efficiency of a gear.
#include "context/CalculateProc.h"

namespace {
const double kHeavyVehicle = 8000;  // kg of gross vehicle weight
}  // namespace

bool TCalculateProc::GetExceedF() {
  ExceedForce.clear();
  for (int g = 1; g <= GearNum; ++g) {
    stExceedForce row;
    row.GearNo = g;
    double ratio;
    if (GetGearHi(g, ratio) == -1) return false;
    row.Ratio = ratio;
    row.Efficiency = GetGearPass(g);
    double gvw = Payload + W0 + CrewUnitWeight * Crew;
    bool heavy = gvw >= kHeavyVehicle;
    if (g <= 2) {
      row.TorqueMargin = heavy ? 2.0 : 2.4;
      row.NdownPercent = 5;
    } else if (g == 3) {
      row.TorqueMargin = 1.7;
      row.NdownPercent = 11;
    } else if (g == 4) {
      row.TorqueMargin = heavy ? 1.3 : 1.6;
      row.NdownPercent = 19;
    } else {
      row.TorqueMargin = heavy ? 1.3 : 1.6;
      row.NdownPercent = 26;
    }
    row.Ndown = (MaxNe - Nidle) * row.NdownPercent / 100 + Nidle;
    ExceedForce.insert(row);
  }
  ExceedForceCursor = ExceedForce.begin();
  return true;
}

double TCalculateProc::GetGearPass(int gear) {
  if (GearRatio.empty()) return 0;
  // A gear outside the ratio list has no efficiency of its own.
  if (gear < 1 || gear > static_cast<int>(GearRatio.size())) return 1.0;
  return GearRatio[gear - 1] == 1.0 ? 0.98 : 0.95;
}

// The downshift engine speed of a gear; false when the gear has no row.
bool TCalculateProc::GearDown(int gear, double& ndown) {
  stExceedForce key;
  key.GearNo = gear;
  TOrderedSet<stExceedForce>::iterator row = ExceedForce.find(key);
  if (row == ExceedForce.end()) return false;
  ndown = row->Ndown;
  return true;
}
