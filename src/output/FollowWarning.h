// Stretches where the vehicle could not follow its target speed: the reached
// speed stays more than 10 km/h below the target for more than 10 s. The
// converter warns about them on standard error and ReportD marks them in its
// report. Both look at the values as the result file shows them (whole
// seconds, speeds to 0.01 km/h), so both name the same stretches.
#ifndef CONVERTD_OUTPUT_FOLLOWWARNING_H_
#define CONVERTD_OUTPUT_FOLLOWWARNING_H_

#include <string>
#include <vector>

// One line of the result file, as far as the detection needs it.
struct stFollowPoint {
  int Time = 0;        // s, truncated as in the result file
  double Vtarget = 0;  // km/h
  double Vreal = 0;    // km/h
  int Gear = 0;
};

// A maximal run of consecutive lines whose shortfall (target minus reached
// speed, both to 0.01 km/h) is above kFollowGapKmh, lasting from the time of
// its first line to the time of its last line.
struct stFollowStretch {
  size_t First = 0;           // index of its first line
  size_t Last = 0;            // index of its last line
  int Start = 0;              // s
  int End = 0;                // s
  double MaxShortfall = 0;    // km/h, to 0.01 km/h
  int MaxShortfallTime = 0;   // s, the first line with the largest shortfall
  std::vector<int> Gears;     // the gears of its lines, in order of first use

  int Duration() const { return End - Start; }
};

const double kFollowGapKmh = 10;  // more than this behind the target
const int kFollowMinSeconds = 10;   // for more than this long

// A speed in hundredths of km/h, rounded as the result file prints it, so
// that comparisons of speeds are exact.
long long SpeedCents(double kmh);

// The stretches more than kFollowGapKmh behind the target that last more
// than kFollowMinSeconds, in time order.
std::vector<stFollowStretch> FindFollowStretches(const std::vector<stFollowPoint>& points);

// Share of the cycle (first to last line) the stretches cover, in %; 0 for a
// cycle without duration.
double FollowShare(const std::vector<stFollowStretch>& stretches,
                   const std::vector<stFollowPoint>& points);

// "2, 3" for the gears of a stretch; neutral is "N".
std::string GearList(const std::vector<int>& gears);

// The warning as text lines without line ends: a summary line, then one
// line per stretch. Empty when there is no stretch.
std::vector<std::string> FollowWarningLines(const std::vector<stFollowStretch>& stretches,
                                            const std::vector<stFollowPoint>& points);

#endif  // CONVERTD_OUTPUT_FOLLOWWARNING_H_
