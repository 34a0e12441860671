// The latest answers of the attainable-speed search (CalcTeMaxSp). The shift
// searches ask the same question again and again: a gear candidate's first
// record is stepped before its window and again as the window's first
// record, neighbouring records' windows overlap, and the acceleration phase
// steps the records the shift searches have just stepped. The answer is a
// function of the gear, the step, the start speed and the requested speed
// alone while the settings stay as they are, so a question asked again is
// answered from here.
//
// The memo answers only while a TSpeedMemo::Scope is open (Pass 3, during
// which no setting changes); outside one, every question is worked out.
// Speeds are compared bit for bit, so that -0 and 0 stay apart.
#ifndef CONVERTD_MODEL_SPEEDMEMO_H_
#define CONVERTD_MODEL_SPEEDMEMO_H_

#include <cstdint>
#include <cstring>

class TSpeedMemo {
 public:
  struct Entry {
    bool used = false;
    int gear = 0;
    uint64_t dt = 0, vStart = 0, vRequested = 0;  // bits of the doubles
    bool result = false;
    double v = 0, ne = 0;  // the outputs
  };

  bool Active() const { return active_; }

  // The entry for the question, or nullptr.
  const Entry* Find(int gear, double dt, double vStart, double vRequested) const {
    const Entry& e = entries_[Slot(gear, Bits(vStart), Bits(vRequested))];
    if (e.used && e.gear == gear && e.dt == Bits(dt) && e.vStart == Bits(vStart) &&
        e.vRequested == Bits(vRequested))
      return &e;
    return nullptr;
  }

  void Store(int gear, double dt, double vStart, double vRequested, bool result, double v,
             double ne) {
    Entry& e = entries_[Slot(gear, Bits(vStart), Bits(vRequested))];
    e.used = true;
    e.gear = gear;
    e.dt = Bits(dt);
    e.vStart = Bits(vStart);
    e.vRequested = Bits(vRequested);
    e.result = result;
    e.v = v;
    e.ne = ne;
  }

  void Clear() {
    for (Entry& e : entries_) e.used = false;
  }

  // Opens the memo, empty, for its lifetime.
  class Scope {
   public:
    explicit Scope(TSpeedMemo& memo) : memo_(memo) {
      memo_.Clear();
      memo_.active_ = true;
    }
    ~Scope() {
      memo_.active_ = false;
      memo_.Clear();
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    TSpeedMemo& memo_;
  };

 private:
  // Enough for the questions of the windows around a few records, which
  // overlap: the memo remembers recent questions only (a record asks a few
  // dozen), it is no table of the whole trace.
  static const int kSlots = 256;

  static uint64_t Bits(double x) {
    uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
  }

  static int Slot(int gear, uint64_t vStart, uint64_t vRequested) {
    uint64_t h = (vStart ^ (vRequested * 0x9E3779B97F4A7C15ull)) + static_cast<uint64_t>(gear);
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return static_cast<int>(h & (kSlots - 1));
  }

  Entry entries_[kSlots];
  bool active_ = false;
};

#endif  // CONVERTD_MODEL_SPEEDMEMO_H_
