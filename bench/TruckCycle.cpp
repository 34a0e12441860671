#include "TruckCycle.h"

#include <cstdio>

namespace {

// One phase of the cycle: the target speed moves in a straight line from
// where the previous phase ended to `speed` over `seconds`.
struct Phase {
  int seconds;
  double speed;  // km/h at the end of the phase
};

// 382 s. The truck of examples/ (13.6 t GVW) manages about 2 km/h per second
// in its middle gears: the 4 to 5 km/h per second asked for below keep it at
// full load, behind its target, and shifting.
const Phase kCycle[] = {
    {20, 0},   // idle
    {8, 40},   // full-load start
    {20, 40},  // cruise
    {10, 0},   // stop
    {15, 0},   // idle
    {12, 60},  // full-load start
    {45, 60},  // cruise
    {12, 36},  // slow down
    {25, 36},  // cruise
    {12, 0},   // stop
    {25, 0},   // idle
    {5, 20},   // short hop
    {15, 20},
    {8, 0},
    {10, 0},   // idle
    {10, 45},  // full-load start
    {10, 75},  // on towards the open road
    {90, 75},  // cruise
    {14, 40},  // slow down
    {16, 0},   // stop
};

}  // namespace

std::vector<double> TruckCycleSpeeds() {
  std::vector<double> speeds;
  double v = 0;
  for (const Phase& p : kCycle) {
    for (int i = 1; i <= p.seconds; ++i) speeds.push_back(v + (p.speed - v) * i / p.seconds);
    v = p.speed;
  }
  return speeds;
}

std::string TruckCyclePattern(long points) {
  const std::vector<double> cycle = TruckCycleSpeeds();
  std::string text = "time(s)\tspeed(km/h)\n";
  text.reserve(static_cast<size_t>(points) * 13 + 32);
  char line[64];
  for (long t = 0; t < points; ++t) {
    double v = cycle[static_cast<size_t>(t) % cycle.size()];
    if (v == 0) {
      std::snprintf(line, sizeof line, "%ld\tIDLE\n", t);
    } else {
      std::snprintf(line, sizeof line, "%ld\t%.1f\n", t, v);
    }
    text += line;
  }
  return text;
}
