// Charts drawn as inline SVG: axes with ticks and units, lines, dots, bands
// and reference lines, and the reduction of long series to what a pixel
// column can show.
#ifndef CONVERTD_REPORT_SVGCHART_H_
#define CONVERTD_REPORT_SVGCHART_H_

#include <string>
#include <vector>

struct stPoint {
  double X = 0;
  double Y = 0;
};

// Reduces a series ordered by X to at most four points per pixel column of
// the range x0 to x1 drawn over columns pixels: the first, the lowest, the
// highest and the last point of the column, in their order. Peaks survive,
// and a series of no more than two points per column is kept whole.
std::vector<stPoint> ReduceMinMax(const std::vector<stPoint>& points, double x0, double x1,
                                  int columns);

// An axis: its range, its ticks and its title with the unit. Values are
// shown divided by Divisor (a time axis in hours holds seconds).
struct stAxis {
  double Min = 0;
  double Max = 1;
  double Divisor = 1;
  std::vector<double> Ticks;
  std::string Title;
};

// An axis over lo to hi with round tick steps (1, 2 or 5 times a power of
// ten) and about `ticks` ticks; the range is widened to whole steps.
stAxis NiceAxis(double lo, double hi, int ticks, const std::string& title, double divisor = 1);

// A time axis over 0 to seconds, in s up to two hours, in h beyond.
stAxis TimeAxis(double first, double last);

class TSvgChart {
 public:
  TSvgChart(int width, int height, const stAxis& x, const stAxis& y);

  // Width of the plot area in pixels: the columns a series is reduced to.
  int PlotWidth() const;

  void AddBand(double x0, double x1, const std::string& cssClass, const std::string& title);
  void AddHorizontal(double y, const std::string& cssClass, const std::string& label);
  void AddVertical(double x, const std::string& cssClass, const std::string& label);
  void AddLine(const std::vector<stPoint>& points, const std::string& cssClass);
  void AddDots(const std::vector<stPoint>& points, const std::string& cssClass, double radius);
  // A horizontal bar from 0 to value at row y, with a text after it.
  void AddBar(double y, double value, double height, const std::string& cssClass,
              const std::string& text);
  // Replaces the numeric labels of the y ticks (the bar chart names gears).
  void SetYTickLabels(const std::vector<std::string>& labels);

  std::string Render(const std::string& title) const;

  double PX(double x) const;
  double PY(double y) const;

 private:
  int width_, height_;
  stAxis x_, y_;
  std::vector<std::string> yLabels_;
  std::string back_;   // drawn below the axes' grid
  std::string front_;  // drawn above it, clipped to the plot area
  std::string labels_;
};

// Escapes the characters that are special in HTML and XML text.
std::string EscapeXml(const std::string& text);

#endif  // CONVERTD_REPORT_SVGCHART_H_
