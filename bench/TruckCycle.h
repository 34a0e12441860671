// The benchmark's driving pattern: a stop-and-go delivery cycle of a heavy
// truck at 1 Hz, repeated as often as needed. Its accelerations ask for more
// than the truck can deliver, so the engine runs at full load through most
// of every acceleration and the gear-shift searches work at every record.
#ifndef CONVERTD_BENCH_TRUCKCYCLE_H_
#define CONVERTD_BENCH_TRUCKCYCLE_H_

#include <string>
#include <vector>

// Target speeds of one cycle, km/h, one per second from t = 0; it starts and
// ends at standstill.
std::vector<double> TruckCycleSpeeds();

// A pattern file of `points` lines after the header, at t = 0, 1, ...
// points - 1 s: the cycle repeated, standstill written as IDLE.
std::string TruckCyclePattern(long points);

#endif  // CONVERTD_BENCH_TRUCKCYCLE_H_
