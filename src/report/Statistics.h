// The statistics of a converted cycle, computed from its result rows. Times
// are the whole seconds the result file prints; each row stands for half the
// step to the row before it and half the step to the row after it, so the
// time shares of all rows add up to the duration, and integrals over time
// are trapezoid sums over the rows.
#ifndef CONVERTD_REPORT_STATISTICS_H_
#define CONVERTD_REPORT_STATISTICS_H_

#include <string>
#include <vector>

#include "output/FollowWarning.h"
#include "report/ResultData.h"

const double kBehindKmh = 2;          // "behind the target" means by more than this
const double kFullLoadPercent = 99.5;  // T_norm from which a row counts as full load

struct stReportStats {
  double Duration = 0;          // s, last time minus first time
  double TargetDistance = 0;    // km
  double ReachedDistance = 0;   // km
  double DistanceDiff = 0;      // %, reached against target; 0 without target distance
  double MaxShortfall = 0;      // km/h, largest target minus reached speed; 0 if never behind
  int MaxShortfallTime = -1;    // s, first time of it; -1 if never behind
  double BehindTime = 0;        // s behind the target by more than kBehindKmh
  double PositiveWork = 0;      // kWh, integral of torque x angular speed where torque > 0
  double FullLoadTime = 0;      // s with T_norm >= kFullLoadPercent
  int GearChanges = 0;          // changes from one gear to another, neutral not counted
  double IdleShare = 0;         // % of the duration in neutral
  double MeanNe = 0;            // rpm, time average
  double MaxNe = 0;             // rpm
  double BrakingTime = 0;       // s with negative torque (M)
  std::vector<double> GearTime;  // s per gear, index 0 neutral
  std::vector<stFollowStretch> Stretches;  // far behind the target
  double StretchShare = 0;      // % of the duration the stretches cover
};

// The time each row stands for, s.
std::vector<double> RowWeights(const std::vector<stResultRow>& rows);

// The statistics of rows; gearCount sizes GearTime (gears above it extend it).
stReportStats ComputeStatistics(const std::vector<stResultRow>& rows, int gearCount);

// The statistics as an aligned text table for the console, one per line.
std::string StatisticsText(const stReportStats& s);

// One label and value per statistic, as the report's table shows them.
std::vector<std::pair<std::string, std::string>> StatisticsTable(const stReportStats& s);

// The CSV header line and a row of the fleet table (without line ends).
std::string StatisticsCsvHeader();
std::string StatisticsCsvRow(const std::string& folder, const std::string& resultFile,
                             const std::string& vehicleFile, const std::string& curveFile,
                             const stReportStats& s);

// A CSV field, quoted when it holds a comma, a quote or a line end.
std::string CsvField(const std::string& text);

#endif  // CONVERTD_REPORT_STATISTICS_H_
