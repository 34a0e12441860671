#include "report/SvgChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const int kLeft = 72;
const int kRight = 22;
const int kTop = 14;
const int kBottom = 48;
const double kMinBandWidth = 2;  // px: a short band on a long cycle stays visible

int chartCount = 0;  // numbers the clip paths of the charts of one page

std::string Num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  return buf;
}

std::string TickText(double value, double step) {
  int decimals = 0;
  if (step > 0 && step < 1) decimals = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  std::string text = buf;
  if (text == "-0") text = "0";
  return text;
}

}  // namespace

std::string EscapeXml(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

std::vector<stPoint> ReduceMinMax(const std::vector<stPoint>& points, double x0, double x1,
                                  int columns) {
  if (columns < 1 || points.size() <= 2 * static_cast<size_t>(columns) || !(x1 > x0)) {
    return points;
  }
  std::vector<stPoint> out;
  out.reserve(4 * static_cast<size_t>(columns));
  size_t i = 0;
  const size_t n = points.size();
  while (i < n) {
    long column = static_cast<long>(std::floor((points[i].X - x0) / (x1 - x0) * columns));
    column = std::min<long>(std::max<long>(column, 0), columns - 1);
    size_t first = i, low = i, high = i, last = i;
    for (++i; i < n; ++i) {
      long c = static_cast<long>(std::floor((points[i].X - x0) / (x1 - x0) * columns));
      c = std::min<long>(std::max<long>(c, 0), columns - 1);
      if (c != column) break;
      if (points[i].Y < points[low].Y) low = i;
      if (points[i].Y > points[high].Y) high = i;
      last = i;
    }
    size_t keep[4] = {first, std::min(low, high), std::max(low, high), last};
    for (int k = 0; k < 4; ++k) {
      if (k > 0 && keep[k] == keep[k - 1]) continue;
      out.push_back(points[keep[k]]);
    }
  }
  return out;
}

stAxis NiceAxis(double lo, double hi, int ticks, const std::string& title, double divisor) {
  stAxis axis;
  axis.Title = title;
  axis.Divisor = divisor;
  double a = lo / divisor, b = hi / divisor;
  if (!(b > a)) {
    a -= 1;
    b += 1;
  }
  double raw = (b - a) / std::max(ticks, 1);
  double power = std::pow(10, std::floor(std::log10(raw)));
  double step = power;
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    step = m * power;
    if (step >= raw) break;
  }
  a = std::floor(a / step + 1e-9) * step;
  b = std::ceil(b / step - 1e-9) * step;
  axis.Min = a * divisor;
  axis.Max = b * divisor;
  for (double t = a; t <= b + step * 1e-6; t += step) axis.Ticks.push_back(t * divisor);
  return axis;
}

stAxis TimeAxis(double first, double last) {
  const bool hours = last - first > 7200;
  stAxis axis = NiceAxis(first, last, 10, hours ? "time [h]" : "time [s]", hours ? 3600 : 1);
  // The time axis spans the cycle exactly; ticks outside it go.
  axis.Min = first;
  axis.Max = last > first ? last : first + 1;
  std::vector<double> inside;
  for (double t : axis.Ticks) {
    if (t >= axis.Min - 1e-9 && t <= axis.Max + 1e-9) inside.push_back(t);
  }
  axis.Ticks = inside;
  return axis;
}

TSvgChart::TSvgChart(int width, int height, const stAxis& x, const stAxis& y)
    : width_(width), height_(height), x_(x), y_(y) {}

int TSvgChart::PlotWidth() const { return width_ - kLeft - kRight; }

double TSvgChart::PX(double x) const {
  double span = x_.Max - x_.Min;
  return kLeft + (span > 0 ? (x - x_.Min) / span : 0) * PlotWidth();
}

double TSvgChart::PY(double y) const {
  double span = y_.Max - y_.Min;
  double h = height_ - kTop - kBottom;
  return kTop + h - (span > 0 ? (y - y_.Min) / span : 0) * h;
}

void TSvgChart::AddBand(double x0, double x1, const std::string& cssClass,
                        const std::string& title) {
  double a = PX(x0), b = PX(x1);
  if (b - a < kMinBandWidth) {
    double mid = (a + b) / 2;
    a = mid - kMinBandWidth / 2;
    b = mid + kMinBandWidth / 2;
  }
  back_ += "<rect class=\"" + cssClass + "\" x=\"" + Num(a) + "\" y=\"" + Num(kTop) +
           "\" width=\"" + Num(b - a) + "\" height=\"" + Num(height_ - kTop - kBottom) + "\">";
  if (!title.empty()) back_ += "<title>" + EscapeXml(title) + "</title>";
  back_ += "</rect>\n";
}

void TSvgChart::AddHorizontal(double y, const std::string& cssClass, const std::string& label) {
  if (y < y_.Min || y > y_.Max) return;
  front_ += "<line class=\"" + cssClass + "\" x1=\"" + Num(kLeft) + "\" x2=\"" +
            Num(width_ - kRight) + "\" y1=\"" + Num(PY(y)) + "\" y2=\"" + Num(PY(y)) + "\"/>\n";
  if (!label.empty()) {
    labels_ += "<text class=\"ref\" x=\"" + Num(width_ - kRight - 4) + "\" y=\"" +
               Num(PY(y) - 4) + "\" text-anchor=\"end\">" + EscapeXml(label) + "</text>\n";
  }
}

void TSvgChart::AddVertical(double x, const std::string& cssClass, const std::string& label) {
  if (x < x_.Min || x > x_.Max) return;
  front_ += "<line class=\"" + cssClass + "\" x1=\"" + Num(PX(x)) + "\" x2=\"" + Num(PX(x)) +
            "\" y1=\"" + Num(kTop) + "\" y2=\"" + Num(height_ - kBottom) + "\"/>\n";
  if (!label.empty()) {
    labels_ += "<text class=\"ref\" x=\"" + Num(PX(x) + 4) + "\" y=\"" + Num(kTop + 12) +
               "\">" + EscapeXml(label) + "</text>\n";
  }
}

void TSvgChart::AddLine(const std::vector<stPoint>& points, const std::string& cssClass) {
  if (points.empty()) return;
  std::string d;
  d.reserve(points.size() * 12);
  for (size_t i = 0; i < points.size(); ++i) {
    d += i == 0 ? "M" : "L";
    d += Num(PX(points[i].X));
    d += ',';
    d += Num(PY(points[i].Y));
  }
  front_ += "<path class=\"" + cssClass + "\" d=\"" + d + "\"/>\n";
}

void TSvgChart::AddDots(const std::vector<stPoint>& points, const std::string& cssClass,
                        double radius) {
  if (points.empty()) return;
  // One path of tiny round-capped strokes draws many dots lightly.
  std::string d;
  d.reserve(points.size() * 16);
  for (const stPoint& p : points) d += "M" + Num(PX(p.X)) + "," + Num(PY(p.Y)) + "h0";
  front_ += "<path class=\"" + cssClass + "\" stroke-width=\"" + Num(2 * radius) +
            "\" stroke-linecap=\"round\" d=\"" + d + "\"/>\n";
}

void TSvgChart::AddBar(double y, double value, double height, const std::string& cssClass,
                       const std::string& text) {
  double x0 = PX(0), x1 = PX(value);
  double h = std::fabs(PY(0) - PY(height));
  front_ += "<rect class=\"" + cssClass + "\" x=\"" + Num(x0) + "\" y=\"" + Num(PY(y) - h / 2) +
            "\" width=\"" + Num(std::max(x1 - x0, 0.0)) + "\" height=\"" + Num(h) + "\"/>\n";
  labels_ += "<text class=\"bar\" x=\"" + Num(x1 + 6) + "\" y=\"" + Num(PY(y) + 4) + "\">" +
             EscapeXml(text) + "</text>\n";
}

void TSvgChart::SetYTickLabels(const std::vector<std::string>& labels) { yLabels_ = labels; }

std::string TSvgChart::Render(const std::string& title) const {
  const int id = ++chartCount;
  const double left = kLeft, right = width_ - kRight, top = kTop, bottom = height_ - kBottom;
  std::string s;
  s += "<svg class=\"chart\" viewBox=\"0 0 " + std::to_string(width_) + " " +
       std::to_string(height_) + "\" role=\"img\" aria-label=\"" + EscapeXml(title) + "\">\n";
  s += "<defs><clipPath id=\"plot" + std::to_string(id) + "\"><rect x=\"" + Num(left) +
       "\" y=\"" + Num(top) + "\" width=\"" + Num(right - left) + "\" height=\"" +
       Num(bottom - top) + "\"/></clipPath></defs>\n";
  s += "<rect class=\"plot\" x=\"" + Num(left) + "\" y=\"" + Num(top) + "\" width=\"" +
       Num(right - left) + "\" height=\"" + Num(bottom - top) + "\"/>\n";
  s += back_;
  const double xStep = x_.Ticks.size() > 1 ? (x_.Ticks[1] - x_.Ticks[0]) / x_.Divisor : 1;
  for (double t : x_.Ticks) {
    s += "<line class=\"grid\" x1=\"" + Num(PX(t)) + "\" x2=\"" + Num(PX(t)) + "\" y1=\"" +
         Num(top) + "\" y2=\"" + Num(bottom) + "\"/>";
    s += "<text class=\"tick\" x=\"" + Num(PX(t)) + "\" y=\"" + Num(bottom + 16) +
         "\" text-anchor=\"middle\">" + TickText(t / x_.Divisor, xStep) + "</text>\n";
  }
  const double yStep = y_.Ticks.size() > 1 ? (y_.Ticks[1] - y_.Ticks[0]) / y_.Divisor : 1;
  for (size_t i = 0; i < y_.Ticks.size(); ++i) {
    double t = y_.Ticks[i];
    std::string text = i < yLabels_.size() ? yLabels_[i] : TickText(t / y_.Divisor, yStep);
    if (yLabels_.empty()) {
      s += "<line class=\"grid\" x1=\"" + Num(left) + "\" x2=\"" + Num(right) + "\" y1=\"" +
           Num(PY(t)) + "\" y2=\"" + Num(PY(t)) + "\"/>";
    }
    s += "<text class=\"tick\" x=\"" + Num(left - 8) + "\" y=\"" + Num(PY(t) + 4) +
         "\" text-anchor=\"end\">" + EscapeXml(text) + "</text>\n";
  }
  s += "<g clip-path=\"url(#plot" + std::to_string(id) + ")\">\n" + front_ + "</g>\n";
  s += "<path class=\"axis\" d=\"M" + Num(left) + "," + Num(top) + "V" + Num(bottom) + "H" +
       Num(right) + "\"/>\n";
  s += "<text class=\"title\" x=\"" + Num((left + right) / 2) + "\" y=\"" + Num(height_ - 8) +
       "\" text-anchor=\"middle\">" + EscapeXml(x_.Title) + "</text>\n";
  s += "<text class=\"title\" transform=\"translate(16," + Num((top + bottom) / 2) +
       ") rotate(-90)\" text-anchor=\"middle\">" + EscapeXml(y_.Title) + "</text>\n";
  s += labels_;
  s += "</svg>\n";
  return s;
}
