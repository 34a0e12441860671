// Records of the conversion: trace points, full-load curve points and the
// per-gear force table rows.
#ifndef CONVERTD_CONTEXT_RECORDS_H_
#define CONVERTD_CONTEXT_RECORDS_H_

// One point of the trace. A new record is all zero except what its creator
// (the pattern reader) sets.
struct stCalculateData {
  double Time10 = 0;         // time in 0.1 s; equal to the record's key
  int TKind = 0;             // 0 ordinary, 2 start record, 3 gear-change record
  int Gear = 0;              // gear in use; 0 is neutral
  int GearTime = 0;          // 0.1 s since the last start or gear change
  int StepLength = 0;        // 0.1 s to the next record; 0 on the last one
  int PatternMark = 0;       // 1 on records made from a pattern line
  int PrintMark = 0;         // 1 when the record goes to the result file
  unsigned char Fixed = 0;   // flag, see the passes
  unsigned char StartMark = 0;
  int Mode = 0;              // driving mode: 0 stand, 1 start, 2, 4 decel, 5 drive
  double Vpattern = 0;       // km/h, pattern speed on a pattern record
  double AccKmhS = 0;        // km/h per s, acceleration to the next record
  double AccMs2 = 0;         // m/s², the same acceleration
  double SegTime = 0;        // s since the start of the pattern segment
  double Vtarget = 0;        // km/h, interpolated target speed
  double Vreal = 0;          // km/h, speed actually reached
  double Ne = 0;             // rpm, engine speed
  double Te = 0;             // N·m, engine torque
  double RL = 0;             // kgf, running resistance
};

// One point of the full-load curve; points are ordered by engine speed alone.
struct MAX_TORQUE {
  double Te = 0;  // N·m, full-load torque
  double Ne = 0;  // rpm

  bool operator<(const MAX_TORQUE& other) const { return Ne < other.Ne; }
};

// One row of the per-gear force table; rows are ordered by gear number.
struct stExceedForce {
  int GearNo = 0;
  double Ratio = 0;
  double Efficiency = 0;
  double TorqueMargin = 0;  // full-load to demanded torque asked for by CheckForce
  double NdownPercent = 0;  // % of the engine-speed range
  double Ndown = 0;         // rpm, downshift engine speed

  bool operator<(const stExceedForce& other) const { return GearNo < other.GearNo; }
};

#endif  // CONVERTD_CONTEXT_RECORDS_H_
