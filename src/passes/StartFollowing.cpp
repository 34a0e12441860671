// The start following: after a departure record the vehicle moves off in the
// start gear, the engine held at least at Nes while the clutch slips, until
// the clutch counts as engaged. When following the target needs more than
// full load in the start gear, the moving-off starts over in gear 1.
#include <vector>

#include "context/CalculateProc.h"

namespace {

// Records the start gear relabelled before the moving-off started over in
// gear 1, with the mode each had. Gear 1 turns the engine faster, so the
// second moving-off can end earlier; records it does not reach get their
// mode back and are driven by the run that follows, instead of standing as
// a second departure in the middle of the first one.
class Relabelled {
 public:
  void Add(TCalculateProc::Pos r) {
    if (!restarted_) records_.push_back({r, r->Mode});
  }
  void Restart() { restarted_ = true; }
  // Gives the records after the last one computed their mode back.
  void Restore(TCalculateProc::Pos last) {
    for (const Entry& e : records_)
      if (e.record > last) e.record->Mode = e.mode;
  }

 private:
  struct Entry {
    TCalculateProc::Pos record;
    int mode;
  };
  std::vector<Entry> records_;
  bool restarted_ = false;
};

}  // namespace

bool TCalculateProc::Calculate_Start_Following(Pos& cursor) {
  if (cursor == CalcData.end()) {
    // The departure record ends the trace: nothing follows it.
    --cursor;
    return true;
  }
  const Pos e = cursor;
  const Pos s = e - 1;
  int g = s->Gear;
  if (g == 0) g = LowestShiftGear;
  double iN;
  if (GetGeariN(g, iN) == -1) return CalcFailure(e, g);
  // Vehicle speed at which the engine turns at Nidle in the start gear.
  const double vIdle = 2 * Pi * TireRadius / 1000 * 60 * Nidle / iN;

  Relabelled relabelled;
  Pos p = cursor - 1;
  double v = p->Vreal;
  double np = p->Ne;
  int t = p->GearTime;
  int step = p->StepLength;
  for (;;) {
    Pos r = cursor;
    p = r - 1;
    if (r->Mode != 5 && r->Mode != 1) {
      --cursor;
      relabelled.Restore(cursor);
      return true;
    }
    double aT = (r->Vtarget - v) / (step / 10.0) * 1000 / 3600;
    double neT, teT;
    if (GetNe(g, r->Vtarget, neT) == -1) return CalcFailure(r, g);
    if (GetTe_NotRevise(g, r->Vtarget, aT, neT, teT) == -1) return CalcFailure(r, g);

    double vNew = r->Vtarget;
    double ne = 0;
    CalcTeMaxSp(g, step / 10.0, v, vNew, ne);  // goes on with what the search left
    double a = (vNew - v) / (step / 10.0) * 1000 / 3600;
    p->AccMs2 = a;
    r->Vreal = vNew;
    if (a == 0) ne = np;
    if (ne < Nes) ne = Nes;
    double rl = CalcRL(vNew);
    double te;
    if (GetTe(g, vNew, a, ne, te) == -1) return CalcFailure(r, g);

    if (teT > GetLineReviseMaxTorque(ne) && g >= LowestShiftGear) {
      g = 1;
      relabelled.Restart();
      cursor = e;
      p = cursor - 1;
      v = p->Vreal;
      np = p->Ne;
      t = p->GearTime;
      step = p->StepLength;
      continue;
    }
    relabelled.Add(r);
    r->Ne = ne;
    r->RL = rl;
    r->Te = te;
    r->Gear = g;
    r->Mode = 1;
    r->GearTime = t + step;
    if (vIdle < v) {
      r->Fixed = 1;
      relabelled.Restore(cursor);
      return true;
    }
    v = r->Vreal;
    np = r->Ne;
    t = r->GearTime;
    step = r->StepLength;
    if (ne > Nes || r + 1 == CalcData.end()) {
      relabelled.Restore(cursor);
      return true;
    }
    ++cursor;
  }
}
