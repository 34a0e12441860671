// The driving-force check and the search for the speed a gear can reach
// over one step without the torque demand exceeding the full-load torque.
#include "context/CalculateProc.h"
#include "input/CurveLookup.h"
#include "model/GearModel.h"
#include "model/SearchStats.h"

#ifdef CONVERTD_SEARCH_STATS
long long SearchIterationCount = 0;
#endif

bool TCalculateProc::CheckForce(int gear, double v, double acc) {
  double ne, te;
  if (GetNe(gear, v, ne) == -1) return false;
  if (GetTe(gear, v, acc, ne, te) == -1) return false;
  return CalcForceWithNeSet(gear, te, ne);
}

// True when the full-load torque exceeds the demand by more than the gear's
// reserve. The quotient is taken as it comes: a demand of 0 passes when the
// full-load torque is positive, a negative demand never passes.
bool TCalculateProc::CalcForceWithNeSet(int gear, double te, double ne) {
  stExceedForce key;
  key.GearNo = gear;
  ExceedForceCursor = ExceedForce.find(key);
  if (ExceedForceCursor == ExceedForce.end()) return false;
  double fl = GetLineReviseMaxTorque(ne);
  return ExceedForceCursor->TorqueMargin < fl / te;
}

namespace {

// One candidate speed of the search.
struct Candidate {
  double v = 0;   // speed, cut back to the speed at Nex where needed
  double ne = 0;  // engine speed, at least Nes, at most Nex
  double r = 0;   // demand over full load; 0 when the full load is 0
};

const int kMaxIterations = 10000;
const double kConverged = 1e-6;  // N·m below full load

// The gear's model stands for GetNe, GetV and GetTe_NotRevise, and
// CurveValueNear for GetLineReviseMaxTorque: the same values without looking
// the gear's constants up again for every candidate, and with the curve
// segment of the previous candidate tried first. With a gear that has a
// ratio none of them can fail. The search of CalcTeMaxSp for a gear that
// has one.
bool AttainableSpeed(const TCalculateProc& p, const TGearModel& model, double dt, double vStart,
                     double& v, double& ne) {
  auto accAt = [&](double x) { return (x - vStart) / dt * 1000 / 3600; };

  const double Nes = p.Nes, Nex = p.Nex;
  const MAX_TORQUE* curve = p.MaxTorque.empty() ? nullptr : &*p.MaxTorque.begin();
  const size_t curveCount = p.MaxTorque.size();
  size_t segment = 0;
  auto fullLoad = [&](double n) { return CurveValueNear(curve, curveCount, n, segment); };
  double target = v;
  double ne0 = model.Ne(target);
  if (ne0 >= Nex) {
    ne0 = Nex;
    v = model.V(Nex);
    target = v;
  }
  ne = ne0;
  double a = accAt(target);
  if (a <= 0) return true;
  double te = model.Demand(target, a);
  double fl = fullLoad(ne0);
  if (!(fl < te)) return true;

  const double vAtNex = model.V(Nex);  // candidates beyond it are cut back to it
  double lo = vStart, hi = target;
  // Evaluates candidate speed x; true when the search has converged there.
  // v and ne always hold the candidate evaluated last.
  auto evaluate = [&](double x, Candidate& c) {
    v = x;
    double n = model.Ne(x);
    if (n < Nes) n = Nes;
    if (n >= Nex) {
      n = Nex;
      v = vAtNex;
    }
    ne = n;
    c.v = v;
    c.ne = n;
    double demand = model.Demand(v, accAt(v));
    double full = fullLoad(n);
    if (full == 0) {
      c.r = 0;
      return false;
    }
    double margin = full - demand;
    if (0 <= margin && margin < kConverged) return true;
    c.r = demand / full;
    return false;
  };

  for (int it = 0; it < kMaxIterations; ++it) {
    CONVERTD_COUNT_SEARCH_ITERATION();
    double vA = (hi - lo) / 2 + lo;
    double vB = (hi - lo) / 2 + lo + (hi - lo) / 4;
    double vC = (hi - lo) / 2 + lo - (hi - lo) / 4;
    Candidate A, B, C;
    if (evaluate(vA, A)) return true;
    if (evaluate(vB, B)) return true;
    if (evaluate(vC, C)) return true;
    const double rA = A.r, rB = B.r, rC = C.r;
    if (rA > 1) {
      if (rC < 1 && rB < 1) return false;
      if (rC > 1 && rC < rA && rA < rB) {
        hi = C.v;
      } else if (rC < 1 && rA < rB) {
        lo = C.v;
        hi = A.v;
      } else if (rC > rA && rB < 1) {
        lo = A.v;
        hi = B.v;
      } else if (rC > rA && rA > rB && rB > 1) {
        lo = B.v;
      } else if (rC == rA && rA == rB) {
        return true;
      } else if (rC == rA) {
        lo = A.v;
      } else if (rA == rB) {
        hi = A.v;
      } else {
        return true;
      }
    } else {
      if (rC < rA && rA < rB && rB < 1) {
        lo = B.v;
      } else if (rC < rA && rA < 1 && rB > 1) {
        lo = A.v;
        hi = B.v;
      } else if (rC > 1 && rA < 1 && rA > rB) {
        lo = C.v;
        hi = A.v;
      } else if (rC < 1 && rC > rA && rA > rB) {
        hi = C.v;
      } else if (rC == rA && rA == rB) {
        return true;
      } else if (rC == rA) {
        hi = A.v;
      } else if (rA == rB) {
        lo = A.v;
      } else {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool TCalculateProc::CalcTeMaxSp(int gear, double dt, double vStart, double& v, double& ne) {
  if (SpeedMemo.Active()) {
    if (const TSpeedMemo::Entry* known = SpeedMemo.Find(gear, dt, vStart, v)) {
      v = known->v;
      ne = known->ne;
      return known->result;
    }
  }
  // A gear without ratio fails here, before v and ne are touched; the memo
  // never holds one.
  TGearModel model;
  if (!MakeGearModel(*this, gear, model)) return false;
  const double requested = v;
  const bool result = AttainableSpeed(*this, model, dt, vStart, v, ne);
  if (SpeedMemo.Active()) SpeedMemo.Store(gear, dt, vStart, requested, result, v, ne);
  return result;
}
