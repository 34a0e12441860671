// The downshift search for a torque demand above full load: the gear in use
// and every lower gear down to LowestShiftGear, compared by the distance
// they fall behind over the window; equal deficits go to the higher gear.
#include "context/CalculateProc.h"
#include "shift/ShiftCommon.h"

bool TCalculateProc::Calculate_TeMinGear(Pos x, int i, int& gear) {
  if (gear < LowestShiftGear) gear = LowestShiftGear;
  const int s0 = gear;
  Pos w = WindowEnd(x, ShiftTime - i);
  // The start gear is at most a few gears above the lowest one in practice,
  // but the table is sized for any gear count.
  std::vector<GearDeficit> table;
  for (int g = s0; g >= LowestShiftGear; --g) {
    double nd, v, n, a;
    if (!GearDown(g, nd) || !StepUpdate(x, g, v, n, a)) {
      gear = g;
      return false;
    }
    if (n <= nd) continue;
    double d = 0;
    bool rejected = false;
    for (Pos y = x; y != w; ++y) {
      if (!StepUpdate(y, g, v, n, a)) {
        gear = g;
        return false;
      }
      if (a < 0) {
        if (y == x) rejected = true;
        break;
      }
      if (g != s0 && n >= Nex) {
        rejected = true;
        break;
      }
      d = d + StepDeficit(y);
    }
    if (!rejected) table.push_back(GearDeficit{g, d});
  }
  if (table.empty()) {
    gear = s0;
    return false;
  }
  gear = table[ChooseGear(table.data(), static_cast<int>(table.size()), true)].gear;
  return true;
}
