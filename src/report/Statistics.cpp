#include "report/Statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const double kPi = 3.14159265358979323846;
const long long kBehindCents = 200;

std::string Fmt(const char* format, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

// Positive engine power of a row, W.
double PositivePower(const stResultRow& r) {
  if (r.TeNegative || !(r.Te > 0)) return 0;
  return r.Te * 2 * kPi * r.Ne / 60;
}

}  // namespace

std::vector<double> RowWeights(const std::vector<stResultRow>& rows) {
  std::vector<double> w(rows.size(), 0.0);
  for (size_t i = 0; i + 1 < rows.size(); ++i) {
    double half = (static_cast<double>(rows[i + 1].Time) - rows[i].Time) / 2;
    w[i] += half;
    w[i + 1] += half;
  }
  return w;
}

stReportStats ComputeStatistics(const std::vector<stResultRow>& rows, int gearCount) {
  stReportStats s;
  s.GearTime.assign(std::max(gearCount, 0) + 1, 0.0);
  if (rows.empty()) return s;
  const std::vector<double> w = RowWeights(rows);
  s.Duration = static_cast<double>(rows.back().Time) - rows.front().Time;

  long long largest = 0;
  double neTime = 0, idleTime = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    const stResultRow& r = rows[i];
    if (i + 1 < rows.size()) {
      const stResultRow& n = rows[i + 1];
      double dt = static_cast<double>(n.Time) - r.Time;
      s.TargetDistance += (r.Vtarget + n.Vtarget) / 2 * dt / 3600;
      s.ReachedDistance += (r.Vreal + n.Vreal) / 2 * dt / 3600;
      s.PositiveWork += (PositivePower(r) + PositivePower(n)) / 2 * dt / 3.6e6;
      if (r.Gear != 0 && n.Gear != 0 && r.Gear != n.Gear) ++s.GearChanges;
    }
    long long gap = SpeedCents(r.Vtarget) - SpeedCents(r.Vreal);
    if (gap > largest) {
      largest = gap;
      s.MaxShortfallTime = r.Time;
    }
    if (gap > kBehindCents) s.BehindTime += w[i];
    if (!r.TnormNegative && r.Tnorm >= kFullLoadPercent) s.FullLoadTime += w[i];
    if (r.TeNegative) s.BrakingTime += w[i];
    if (r.Gear == 0) idleTime += w[i];
    if (r.Gear >= 0) {
      if (static_cast<size_t>(r.Gear) >= s.GearTime.size()) s.GearTime.resize(r.Gear + 1, 0.0);
      s.GearTime[r.Gear] += w[i];
    }
    neTime += r.Ne * w[i];
    s.MaxNe = i == 0 ? r.Ne : std::max(s.MaxNe, r.Ne);
  }
  s.MaxShortfall = static_cast<double>(largest) / 100;
  if (s.TargetDistance > 0) {
    s.DistanceDiff = (s.ReachedDistance - s.TargetDistance) / s.TargetDistance * 100;
  }
  if (s.Duration > 0) {
    s.IdleShare = idleTime / s.Duration * 100;
    s.MeanNe = neTime / s.Duration;
  } else {
    s.IdleShare = rows.front().Gear == 0 ? 100 : 0;
    s.MeanNe = rows.front().Ne;
  }
  std::vector<stFollowPoint> points = FollowPoints(rows);
  s.Stretches = FindFollowStretches(points);
  s.StretchShare = FollowShare(s.Stretches, points);
  return s;
}

std::vector<std::pair<std::string, std::string>> StatisticsTable(const stReportStats& s) {
  std::vector<std::pair<std::string, std::string>> t;
  t.push_back({"Duration", Fmt("%.0f s", s.Duration)});
  t.push_back({"Distance of the target speed", Fmt("%.3f km", s.TargetDistance)});
  t.push_back({"Distance of the reached speed",
               Fmt("%.3f km", s.ReachedDistance) + " (" + Fmt("%+.2f %%", s.DistanceDiff) + ")"});
  t.push_back({"Largest speed shortfall",
               s.MaxShortfallTime < 0
                   ? std::string("none")
                   : Fmt("%.2f km/h", s.MaxShortfall) + " at " + Fmt("%.0f s", s.MaxShortfallTime)});
  t.push_back({"Behind the target by more than 2 km/h", Fmt("%.1f s", s.BehindTime)});
  t.push_back({"Positive engine work", Fmt("%.3f kWh", s.PositiveWork)});
  t.push_back({"At full load (T_norm >= 99.5 %)", Fmt("%.1f s", s.FullLoadTime)});
  t.push_back({"Gear changes", Fmt("%.0f", s.GearChanges)});
  t.push_back({"Idle (neutral)", Fmt("%.1f %%", s.IdleShare)});
  t.push_back({"Engine speed, mean", Fmt("%.0f rpm", s.MeanNe)});
  t.push_back({"Engine speed, maximum", Fmt("%.1f rpm", s.MaxNe)});
  int covered = 0;
  for (const stFollowStretch& x : s.Stretches) covered += x.Duration();
  t.push_back({"More than 10 km/h behind for more than 10 s",
               s.Stretches.empty()
                   ? std::string("never")
                   : Fmt("%.0f", static_cast<double>(s.Stretches.size())) +
                         (s.Stretches.size() == 1 ? " stretch, " : " stretches, ") +
                         Fmt("%.0f s", covered) + " (" + Fmt("%.1f %%", s.StretchShare) + ")"});
  return t;
}

std::string StatisticsText(const stReportStats& s) {
  std::vector<std::pair<std::string, std::string>> t = StatisticsTable(s);
  size_t width = 0;
  for (const auto& row : t) width = std::max(width, row.first.size());
  std::string out;
  for (const auto& row : t) {
    out += row.first + std::string(width + 2 - row.first.size(), ' ') + row.second + "\n";
  }
  for (const stFollowStretch& x : s.Stretches) {
    out += "  " + Fmt("%.0f", x.Start) + " s to " + Fmt("%.0f s", x.End) + ": largest shortfall " +
           Fmt("%.2f km/h", x.MaxShortfall) + " at " + Fmt("%.0f s", x.MaxShortfallTime) +
           (x.Gears.size() > 1 ? ", gears " : ", gear ") + GearList(x.Gears) + "\n";
  }
  return out;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string StatisticsCsvHeader() {
  return "folder,result_file,vehicle_file,curve_file,duration_s,target_distance_km,"
         "reached_distance_km,distance_difference_pct,max_shortfall_kmh,max_shortfall_time_s,"
         "behind_over_2kmh_s,positive_work_kwh,full_load_s,gear_changes,idle_share_pct,"
         "mean_engine_speed_rpm,max_engine_speed_rpm,far_behind_stretches,far_behind_s,"
         "far_behind_pct";
}

std::string StatisticsCsvRow(const std::string& folder, const std::string& resultFile,
                             const std::string& vehicleFile, const std::string& curveFile,
                             const stReportStats& s) {
  int covered = 0;
  for (const stFollowStretch& x : s.Stretches) covered += x.Duration();
  std::string row = CsvField(folder) + "," + CsvField(resultFile) + "," + CsvField(vehicleFile) +
                    "," + CsvField(curveFile);
  auto add = [&row](const std::string& v) { row += "," + v; };
  add(Fmt("%.0f", s.Duration));
  add(Fmt("%.4f", s.TargetDistance));
  add(Fmt("%.4f", s.ReachedDistance));
  add(Fmt("%.3f", s.DistanceDiff));
  add(Fmt("%.2f", s.MaxShortfall));
  add(s.MaxShortfallTime < 0 ? std::string() : Fmt("%.0f", s.MaxShortfallTime));
  add(Fmt("%.1f", s.BehindTime));
  add(Fmt("%.4f", s.PositiveWork));
  add(Fmt("%.1f", s.FullLoadTime));
  add(Fmt("%.0f", s.GearChanges));
  add(Fmt("%.2f", s.IdleShare));
  add(Fmt("%.1f", s.MeanNe));
  add(Fmt("%.1f", s.MaxNe));
  add(Fmt("%.0f", static_cast<double>(s.Stretches.size())));
  add(Fmt("%.0f", covered));
  add(Fmt("%.2f", s.StretchShare));
  return row;
}
