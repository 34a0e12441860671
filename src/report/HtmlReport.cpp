#include "report/HtmlReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "report/SvgChart.h"

namespace {

const int kChartWidth = 1100;
const char* const kGearColours[] = {"#8c8c8c", "#1f77b4", "#ff7f0e", "#2ca02c", "#d62728",
                                    "#9467bd", "#8c564b", "#e377c2", "#17becf", "#bcbd22"};
const int kGearColourCount = 10;

std::string Fmt(const char* format, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

std::string GearName(int gear) { return gear == 0 ? std::string("N") : std::to_string(gear); }

// Gear 0 keeps grey; gears 1 and up take the colours in turn.
std::string GearColour(int gear) {
  if (gear <= 0) return kGearColours[0];
  return kGearColours[1 + (gear - 1) % (kGearColourCount - 1)];
}

std::string Key(const std::string& cssClass, const std::string& text) {
  return "<span class=\"key\"><i class=\"" + cssClass + "\"></i>" + EscapeXml(text) + "</span>";
}

std::string KeyColour(const std::string& colour, const std::string& text) {
  return "<span class=\"key\"><i style=\"background:" + colour + "\"></i>" + EscapeXml(text) +
         "</span>";
}

std::string Figure(const std::string& heading, const std::string& legend, const std::string& svg,
                   const std::string& note = "") {
  std::string s = "<section class=\"figure\">\n<h2>" + EscapeXml(heading) + "</h2>\n";
  if (!legend.empty()) s += "<div class=\"legend\">" + legend + "</div>\n";
  s += svg;
  if (!note.empty()) s += "<p class=\"note\">" + note + "</p>\n";
  return s + "</section>\n";
}

// Time series of one value per row, reduced to the chart's columns.
std::vector<stPoint> Series(const std::vector<stResultRow>& rows, const TSvgChart& chart,
                            const stAxis& x, double (*value)(const stResultRow&)) {
  std::vector<stPoint> points;
  points.reserve(rows.size());
  for (const stResultRow& r : rows) points.push_back({static_cast<double>(r.Time), value(r)});
  return ReduceMinMax(points, x.Min, x.Max, chart.PlotWidth());
}

// Runs of rows for which test holds, as time bands; bands closer than one
// pixel column merge, so a long cycle draws at most one band per column.
std::vector<std::pair<double, double>> Bands(const std::vector<stResultRow>& rows,
                                             const TSvgChart& chart, const stAxis& x,
                                             bool (*test)(const stResultRow&)) {
  std::vector<std::pair<double, double>> bands;
  const double column = (x.Max - x.Min) / std::max(chart.PlotWidth(), 1);
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!test(rows[i])) continue;
    size_t j = i;
    while (j + 1 < rows.size() && test(rows[j + 1])) ++j;
    double a = rows[i].Time, b = rows[j].Time;
    if (!bands.empty() && a - bands.back().second <= column) {
      bands.back().second = b;
    } else {
      bands.push_back({a, b});
    }
    i = j;
  }
  return bands;
}

double Vtarget(const stResultRow& r) { return r.Vtarget; }
double Vreal(const stResultRow& r) { return r.Vreal; }
double Ne(const stResultRow& r) { return r.Ne; }
double Te(const stResultRow& r) { return r.TeNegative ? 0 : r.Te; }
bool Braking(const stResultRow& r) { return r.TeNegative; }

std::string SpeedChart(const std::vector<stResultRow>& rows, const stReportStats& stats) {
  double top = 10;
  for (const stResultRow& r : rows) top = std::max({top, r.Vtarget, r.Vreal});
  stAxis x = TimeAxis(rows.front().Time, rows.back().Time);
  stAxis y = NiceAxis(0, top, 6, "speed [km/h]");
  TSvgChart chart(kChartWidth, 340, x, y);
  for (const stFollowStretch& s : stats.Stretches) {
    chart.AddBand(s.Start, s.End, "far",
                  std::to_string(s.Start) + " s to " + std::to_string(s.End) +
                      " s: largest shortfall " + Fmt("%.2f km/h", s.MaxShortfall));
  }
  chart.AddLine(Series(rows, chart, x, Vtarget), "target");
  chart.AddLine(Series(rows, chart, x, Vreal), "reached");
  std::string legend = Key("target", "target speed") + Key("reached", "reached speed") +
                       Key("far", "more than 10 km/h behind for more than 10 s");
  std::string note;
  if (stats.Stretches.empty()) {
    note = "The vehicle never stays more than 10 km/h behind the target for more than 10 s.";
  }
  return Figure("Target and reached speed", legend, chart.Render("Target and reached speed"),
                note);
}

std::string EngineSpeedChart(const std::vector<stResultRow>& rows, const stReportVehicle& v,
                             const stReportStats& stats) {
  stAxis x = TimeAxis(rows.front().Time, rows.back().Time);
  stAxis y = NiceAxis(0, std::max({v.Nex, v.MaxNe, stats.MaxNe}), 6, "engine speed [rpm]");
  TSvgChart chart(kChartWidth, 300, x, y);
  for (const stFollowStretch& s : stats.Stretches) chart.AddBand(s.Start, s.End, "far", "");
  chart.AddHorizontal(v.Nidle, "refline", "Nidle " + Fmt("%g rpm", v.Nidle));
  chart.AddHorizontal(v.MaxNe, "refline", "Nrate " + Fmt("%g rpm", v.MaxNe));
  chart.AddHorizontal(v.Nex, "refline", "Nex " + Fmt("%g rpm", v.Nex));
  chart.AddLine(Series(rows, chart, x, Ne), "ne");
  std::string engine = Figure("Engine speed", Key("ne", "engine speed") + Key("refline", "Nidle, Nrate, Nex") +
                                                  (stats.Stretches.empty() ? "" : Key("far", "far behind the target")),
                              chart.Render("Engine speed"));

  int gears = std::max(v.GearNum, 1);
  for (const stResultRow& r : rows) gears = std::max(gears, r.Gear);
  stAxis gy;
  gy.Min = -0.5;
  gy.Max = gears + 0.5;
  gy.Title = "gear";
  std::vector<std::string> labels;
  for (int g = 0; g <= gears; ++g) {
    gy.Ticks.push_back(g);
    labels.push_back(GearName(g));
  }
  TSvgChart gearChart(kChartWidth, 64 + 22 * (gears + 1), x, gy);
  gearChart.SetYTickLabels(labels);
  for (const stFollowStretch& s : stats.Stretches) gearChart.AddBand(s.Start, s.End, "far", "");
  for (int g = 0; g <= gears; ++g) gearChart.AddHorizontal(g, "gridline", "");
  // Steps: a gear holds until the next row.
  std::vector<stPoint> steps;
  steps.reserve(rows.size() * 2);
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i > 0 && rows[i].Gear != rows[i - 1].Gear) {
      steps.push_back({static_cast<double>(rows[i].Time), static_cast<double>(rows[i - 1].Gear)});
    }
    steps.push_back({static_cast<double>(rows[i].Time), static_cast<double>(rows[i].Gear)});
  }
  gearChart.AddLine(ReduceMinMax(steps, x.Min, x.Max, gearChart.PlotWidth()), "gear");
  std::string gear = Figure("Gear", Key("gear", "gear in use (N: neutral)"),
                            gearChart.Render("Gear"));
  return engine + gear;
}

std::string TorqueChart(const std::vector<stResultRow>& rows, const stReportVehicle& v,
                        const stReportStats& stats) {
  double top = 10;
  std::vector<stPoint> full;
  full.reserve(rows.size());
  for (const stResultRow& r : rows) {
    double fl = v.FullLoad(r.Ne);
    full.push_back({static_cast<double>(r.Time), fl});
    top = std::max({top, fl, Te(r)});
  }
  stAxis x = TimeAxis(rows.front().Time, rows.back().Time);
  stAxis y = NiceAxis(0, top, 6, "engine torque [N\u00b7m]");
  TSvgChart chart(kChartWidth, 320, x, y);
  for (const auto& b : Bands(rows, chart, x, Braking)) chart.AddBand(b.first, b.second, "braking", "");
  chart.AddLine(ReduceMinMax(full, x.Min, x.Max, chart.PlotWidth()), "fullload");
  chart.AddLine(Series(rows, chart, x, Te), "te");
  std::string legend = Key("te", "engine torque") +
                       Key("fullload", "full-load torque at the engine speed") +
                       Key("braking", "engine braking (negative torque, M in the result file)");
  std::string note = "The result file gives no value for a negative torque: engine braking is "
                     "drawn at 0 N\u00b7m and shaded (" + Fmt("%.0f s", stats.BrakingTime) +
                     " in this cycle).";
  return Figure("Engine torque and full-load torque", legend,
                chart.Render("Engine torque and full-load torque"), note);
}

std::string OperatingPointChart(const std::vector<stResultRow>& rows, const stReportVehicle& v) {
  double lo = v.Nidle, hi = v.Nex, top = 10;
  for (const stResultRow& r : rows) {
    lo = std::min(lo, r.Ne);
    hi = std::max(hi, r.Ne);
    top = std::max(top, Te(r));
  }
  for (const MAX_TORQUE& p : v.Curve) top = std::max(top, p.Te);
  stAxis x = NiceAxis(std::max(0.0, lo - 100), hi, 8, "engine speed [rpm]");
  stAxis y = NiceAxis(0, top, 6, "engine torque [N\u00b7m]");
  TSvgChart chart(kChartWidth, 460, x, y);
  chart.AddVertical(v.Nidle, "refline", "Nidle");
  chart.AddVertical(v.MaxNe, "refline", "Nrate");
  chart.AddVertical(v.Nex, "refline", "Nex");

  // The curve's own points inside the range plus its straight continuation
  // to the range's ends.
  std::vector<stPoint> curve;
  curve.push_back({x.Min, v.FullLoad(x.Min)});
  for (const MAX_TORQUE& p : v.Curve) {
    if (p.Ne > x.Min && p.Ne < x.Max) curve.push_back({p.Ne, p.Te});
  }
  curve.push_back({x.Max, v.FullLoad(x.Max)});
  if (v.Curve.size() >= 2) chart.AddLine(curve, "fullload");

  // One dot per gear and 2-pixel cell: a day-long cycle draws no more dots
  // than the chart has cells.
  int gears = v.GearNum;
  for (const stResultRow& r : rows) gears = std::max(gears, r.Gear);
  std::vector<std::vector<stPoint>> dots(gears + 1);
  std::set<long long> cells;
  size_t braking = 0;
  for (const stResultRow& r : rows) {
    if (r.TeNegative) {
      ++braking;
      continue;
    }
    long long cx = static_cast<long long>(std::floor(chart.PX(r.Ne) / 2));
    long long cy = static_cast<long long>(std::floor(chart.PY(r.Te) / 2));
    long long key = (static_cast<long long>(r.Gear) * 4096 + cx) * 4096 + cy;
    if (cells.insert(key).second) dots[r.Gear].push_back({r.Ne, r.Te});
  }
  std::string legend = Key("fullload", "full-load curve");
  std::string style;
  for (int g = 0; g <= gears; ++g) {
    if (dots[g].empty()) continue;
    chart.AddDots(dots[g], "dots g" + std::to_string(g), 2.6);
    legend += KeyColour(GearColour(g), g == 0 ? std::string("neutral") : "gear " + GearName(g));
  }
  std::string note = "One dot per trace point (points that fall on the same spot are drawn "
                     "once).";
  if (braking > 0) {
    note += " " + std::to_string(braking) +
            " points with negative torque (engine braking) are not shown.";
  }
  return Figure("Operating points over the full-load curve", legend,
                chart.Render("Operating points over the full-load curve"), note);
}

std::string GearTimeChart(const stReportStats& stats) {
  const int gears = static_cast<int>(stats.GearTime.size()) - 1;
  double most = 1;
  for (double t : stats.GearTime) most = std::max(most, t);
  stAxis x = NiceAxis(0, most * 1.18, 8, "time [s]");
  stAxis y;
  y.Min = -0.6;
  y.Max = gears + 0.6;
  y.Title = "gear";
  std::vector<std::string> labels;
  for (int g = 0; g <= gears; ++g) {
    y.Ticks.push_back(gears - g);
    labels.push_back(GearName(g));
  }
  TSvgChart chart(kChartWidth, 70 + 30 * (gears + 1), x, y);
  chart.SetYTickLabels(labels);
  for (int g = 0; g <= gears; ++g) {
    double t = stats.GearTime[g];
    double share = stats.Duration > 0 ? t / stats.Duration * 100 : 0;
    chart.AddBar(gears - g, t, 0.62, "bar g" + std::to_string(g),
                 Fmt("%.0f s", t) + " (" + Fmt("%.1f %%", share) + ")");
  }
  return Figure("Time in each gear", "", chart.Render("Time in each gear"),
                "N is neutral: standing, and rolling with the clutch released.");
}

std::string Css(int gears) {
  std::string css =
      "body{font-family:'DejaVu Sans',Arial,Helvetica,sans-serif;color:#222;margin:24px auto;"
      "max-width:1140px;padding:0 16px;line-height:1.4}"
      "h1{font-size:24px;margin:0 0 4px}h2{font-size:18px;margin:0 0 6px}"
      ".files{color:#555;margin:0 0 14px;font-size:14px}"
      ".alert{border-left:6px solid #d62728;background:#fdecea;padding:8px 14px;margin:12px 0}"
      ".fine{border-left:6px solid #2ca02c;background:#eaf6ea;padding:8px 14px;margin:12px 0}"
      ".tables{display:flex;flex-wrap:wrap;gap:28px;align-items:flex-start}"
      ".scroll{max-height:440px;overflow-y:auto}"
      "table{border-collapse:collapse;font-size:14px}"
      "td,th{padding:3px 16px 3px 0;text-align:left;border-bottom:1px solid #e4e4e4}"
      "td.v{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}"
      ".figure{margin:22px 0}.note{color:#555;font-size:13px;margin:2px 0 0}"
      ".legend{font-size:14px;margin:2px 0 4px}"
      ".key{margin-right:18px;white-space:nowrap}"
      ".key i{display:inline-block;width:22px;height:11px;margin-right:6px;vertical-align:-1px}"
      "svg.chart{width:100%;height:auto;display:block;font-size:13px}"
      "svg .plot{fill:#fff;stroke:none}svg .grid{stroke:#e6e6e6;stroke-width:1}"
      "svg .axis{fill:none;stroke:#444;stroke-width:1.2}"
      "svg .tick{fill:#444}svg .title{fill:#222;font-size:14px}"
      "svg .ref{fill:#555;font-size:12px;paint-order:stroke;stroke:#fff;stroke-width:4px;"
      "stroke-linejoin:round}svg .bar{fill:#333;font-size:13px}"
      "svg path{fill:none;stroke-linejoin:round}"
      ".target{stroke:#9a9a9a;stroke-width:3.2}i.target{background:#9a9a9a}"
      ".reached{stroke:#1f5fbf;stroke-width:1.6}i.reached{background:#1f5fbf}"
      ".ne{stroke:#2a8a3a;stroke-width:1.4}i.ne{background:#2a8a3a}"
      ".gear{stroke:#6a3d9a;stroke-width:1.6}i.gear{background:#6a3d9a}"
      ".te{stroke:#d0552c;stroke-width:1.3}i.te{background:#d0552c}"
      ".fullload{stroke:#111;stroke-width:2}i.fullload{background:#111}"
      ".refline{stroke:#777;stroke-width:1;stroke-dasharray:5 4}"
      "i.refline{background:repeating-linear-gradient(90deg,#777 0 5px,transparent 5px 9px);"
      "height:2px;vertical-align:3px}"
      ".gridline{stroke:#eee;stroke-width:1}"
      "rect.far{fill:#d62728;fill-opacity:.2}i.far{background:rgba(214,39,40,.3)}"
      "rect.braking{fill:#7f7f7f;fill-opacity:.14}i.braking{background:rgba(127,127,127,.25)}";
  for (int g = 0; g <= gears; ++g) {
    std::string c = GearColour(g);
    css += ".dots.g" + std::to_string(g) + "{stroke:" + c + ";stroke-opacity:.75}";
    css += "rect.bar.g" + std::to_string(g) + "{fill:" + c + "}";
  }
  return css;
}

}  // namespace

std::string BuildHtmlReport(const std::string& resultName, const std::vector<stResultRow>& rows,
                            const stReportVehicle& v, const stReportStats& stats) {
  int gears = static_cast<int>(stats.GearTime.size()) - 1;
  std::string h;
  h.reserve(512 * 1024);
  h += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  h += "<title>Conversion report: " + EscapeXml(resultName) + "</title>\n";
  h += "<style>" + Css(gears) + "</style>\n</head>\n<body>\n";
  h += "<h1>Conversion report: " + EscapeXml(resultName) + "</h1>\n";
  std::string ratios;
  for (size_t i = 0; i < v.GearRatio.size(); ++i) {
    ratios += (i ? ", " : "") + Fmt("%g", v.GearRatio[i]);
  }
  h += "<p class=\"files\">Pattern " + EscapeXml(v.PatternName) + ", vehicle " +
       EscapeXml(v.VehicleName) + ", full-load curve " + EscapeXml(v.CurveName) + " (from " +
       EscapeXml(v.Folder.empty() ? std::string(".") : v.Folder) + "/DATA).<br>" +
       std::to_string(v.GearNum) + " gears (" + ratios + "), final ratio " +
       Fmt("%g", v.FinalRatio) + ", tyre radius " + Fmt("%g m", v.TireRadius) + "; Nidle " +
       Fmt("%g", v.Nidle) + " rpm, Nrate " + Fmt("%g", v.MaxNe) + " rpm, Nex " +
       Fmt("%g", v.Nex) + " rpm.</p>\n";

  int covered = 0;
  for (const stFollowStretch& s : stats.Stretches) covered += s.Duration();
  if (stats.Stretches.empty()) {
    h += "<p class=\"fine\">The vehicle follows the target: it never stays more than 10 km/h "
         "behind it for more than 10 s.</p>\n";
  } else {
    h += "<p class=\"alert\"><b>The vehicle could not follow the target speed</b> in " +
         std::to_string(stats.Stretches.size()) +
         (stats.Stretches.size() == 1 ? " stretch" : " stretches") + " (" +
         std::to_string(covered) + " s, " + Fmt("%.1f %%", stats.StretchShare) +
         " of the cycle) where it stays more than 10 km/h behind for more than 10 s. The result "
         "file keeps these points as computed; they are shaded red in the charts.</p>\n";
  }

  h += "<div class=\"tables\">\n<table>\n<tr><th colspan=\"2\">Statistics</th></tr>\n";
  for (const auto& row : StatisticsTable(stats)) {
    h += "<tr><td>" + EscapeXml(row.first) + "</td><td class=\"v\">" + EscapeXml(row.second) +
         "</td></tr>\n";
  }
  h += "</table>\n";
  if (!stats.Stretches.empty()) {
    h += "<div class=\"scroll\"><table>\n<tr><th colspan=\"5\">More than 10 km/h behind the target for more than "
         "10 s</th></tr>\n<tr><th>from</th><th>to</th><th>duration</th><th>largest "
         "shortfall</th><th>gear</th></tr>\n";
    for (const stFollowStretch& s : stats.Stretches) {
      h += "<tr><td class=\"v\">" + std::to_string(s.Start) + " s</td><td class=\"v\">" +
           std::to_string(s.End) + " s</td><td class=\"v\">" + std::to_string(s.Duration()) +
           " s</td><td class=\"v\">" + Fmt("%.2f km/h", s.MaxShortfall) + " at " +
           std::to_string(s.MaxShortfallTime) + " s</td><td>" + GearList(s.Gears) +
           "</td></tr>\n";
    }
    h += "</table></div>\n";
  }
  h += "</div>\n";

  h += SpeedChart(rows, stats);
  h += EngineSpeedChart(rows, v, stats);
  h += TorqueChart(rows, v, stats);
  h += OperatingPointChart(rows, v);
  h += GearTimeChart(stats);
  h += "<p class=\"note\">Made by ReportD from " + EscapeXml(resultName) + " (" +
       std::to_string(rows.size()) + " trace points). Long cycles are drawn with the lowest "
       "and highest value of every pixel column, so no peak is lost.</p>\n";
  h += "</body>\n</html>\n";
  return h;
}
