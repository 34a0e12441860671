// Standstill runs idle without torque; a departure record idles in neutral
// before the start following moves the vehicle off.
#include "context/CalculateProc.h"

bool TCalculateProc::Calculate_SetIDLE(Pos first, Pos last) {
  for (Pos r = first; r != last; ++r) {
    r->Ne = Nidle;
    r->RL = CalcRL(0.0);
    r->Te = 0;
    r->Fixed = 1;
  }
  return true;
}

bool TCalculateProc::Calculate_Set_Start(Pos first, Pos last) {
  double rl = 0;
  for (Pos r = first; r != last; ++r) {
    if (r->TKind == 2) rl = CalcRL(0.0);
    r->Ne = Nidle;
    r->Te = 0;
    r->RL = rl;
    r->Gear = 0;
  }
  return true;
}
