// The upward gear searches over a look-ahead window: the gear in use and up
// to three gears above it, compared by the distance they fall behind the
// target speed.
#include <algorithm>

#include "context/CalculateProc.h"
#include "shift/ShiftCommon.h"

// A higher gear must keep the engine inside its band, deliver the demand at
// full load and keep the driving-force reserve; the gear in use is spared the
// torque tests and, while scanned, asks for the rated-speed shifts. Equal
// deficits go to the higher gear.
bool TCalculateProc::Calculate_GearUp(Pos first, Pos end, double& deficit, int& gear) {
  const int c = gear;
  deficit = 0;
  if (c > GearNum) return false;
  if (!EnterSearch()) return false;
  GearDeficit table[4];
  int entries = 0;
  Pos p = first - 1;
  const double dt = p->StepLength / 10.0;
  for (int g = std::min(c + 3, GearNum); g >= c; --g) {
    double nd;
    double n, v, a, te;
    const double vt = first->Vtarget;
    double at = (vt - p->Vreal) / dt * 1000 / 3600;
    if (!GearDown(g, nd) || GetNe(g, vt, n) == -1) {
      gear = g;
      LeaveSearch();
      return false;
    }
    if (n >= Nex || n <= nd) continue;
    if (GetTe_NotRevise(g, vt, at, n, te) == -1) {
      gear = g;
      LeaveSearch();
      return false;
    }
    if (te > GetLineReviseMaxTorque(n) && g != c) continue;
    if (!StepUpdate(first, g, v, n, a)) {
      gear = g;
      LeaveSearch();
      return false;
    }
    if (g != c) {
      at = (first->Vtarget - p->Vreal) / dt * 1000 / 3600;
      if (!CheckForce(g, first->Vtarget, at)) continue;
    }

    int h = g;
    bool rejected = false;
    deficit = 0;
    for (Pos x = first; x != end; ++x) {
      if (!StepUpdate(x, h, v, n, a)) {
        gear = g;
        LeaveSearch();
        return false;
      }
      if (a < 0) break;
      if (h != c) {
        if (n >= Nex || n <= nd) {
          rejected = true;
          break;
        }
      } else {
        int newGear;
        if (n >= Nex && Calculate_RatedUp(x, end, newGear, h)) {
          h = newGear;
          if (!StepUpdate(x, h, v, n, a)) {
            gear = g;
            LeaveSearch();
            return false;
          }
        }
        if (n <= nd && Calculate_RatedDown(x, end, newGear, h)) {
          h = newGear;
          if (!StepUpdate(x, h, v, n, a)) {
            gear = g;
            LeaveSearch();
            return false;
          }
        }
        if (!CalcError.empty()) {
          LeaveSearch();
          return false;
        }
      }
      deficit = deficit + StepDeficit(x);
    }
    if (!rejected) table[entries++] = GearDeficit{g, deficit};
  }
  LeaveSearch();
  if (entries == 0) {
    gear = c;
    return false;
  }
  const GearDeficit& chosen = table[ChooseGear(table, entries, true)];
  gear = chosen.gear;
  deficit = chosen.deficit;
  return deficit == 0;
}

// The engine-speed band alone decides here; equal deficits go to the lower
// gear.
bool TCalculateProc::Calculate_MaxNeGearUp(Pos first, Pos end, int& gear) {
  const int c = gear;
  if (c > GearNum) return false;
  GearDeficit table[4];
  int entries = 0;
  for (int g = c; g <= GearNum && g <= c + 3; ++g) {
    double nd, n, v, a;
    if (!GearDown(g, nd) || GetNe(g, first->Vtarget, n) == -1) {
      gear = g;
      return false;
    }
    if (n >= Nex || n <= nd) continue;
    if (!StepUpdate(first, g, v, n, a)) {
      gear = g;
      return false;
    }
    if (n >= Nex) continue;
    double d = 0;
    bool rejected = false;
    for (Pos x = first; x != end; ++x) {
      if (!StepUpdate(x, g, v, n, a)) {
        gear = g;
        return false;
      }
      if (a < 0) break;
      if (n >= Nex || n <= nd) {
        rejected = true;
        break;
      }
      d = d + StepDeficit(x);
    }
    if (!rejected) table[entries++] = GearDeficit{g, d};
  }
  if (entries == 0) {
    gear = c;
    return false;
  }
  gear = table[ChooseGear(table, entries, false)].gear;
  return true;
}
