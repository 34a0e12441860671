#include "output/ResultLine.h"

#include <charconv>
#include <cmath>

const char kResultHeader[] =
    "time(s)\tVtarget(km/h)\tVreal(km/h)\tNe(rpm)\tTe(N-m)\tN_norm(%)\tT_norm(%)\tShift";

namespace {

// Wide enough for any finite double in fixed notation with six decimals.
const size_t kNumberBuffer = 400;

void AppendFixed(double value, int precision, std::string& out) {
  char buf[kNumberBuffer];
  std::to_chars_result r =
      std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
  out.append(buf, r.ptr);
}

void AppendInt(int value, std::string& out) {
  char buf[16];
  std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, r.ptr);
}

}  // namespace

void AppendTwoStage(double value, std::string& out) {
  char buf[kNumberBuffer];
  std::to_chars_result r =
      std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
  double shortened = 0;
  std::from_chars(buf, r.ptr - 1, shortened, std::chars_format::fixed);
  AppendFixed(shortened, 1, out);
}

void AppendFixed2(double value, std::string& out) { AppendFixed(value, 2, out); }

const char* AppendResultLine(const stCalculateData& rec, double fullLoad, double nidle,
                             double maxNe, std::string& out) {
  if (!std::isfinite(rec.Vtarget)) return "Vtarget(km/h)";
  if (!std::isfinite(rec.Vreal)) return "Vreal(km/h)";
  if (!std::isfinite(rec.Ne)) return "Ne(rpm)";
  if (!std::isfinite(rec.Te)) return "Te(N-m)";
  // With MaxNe equal to Nidle the engine has no range to normalise to.
  bool noRange = maxNe == nidle;
  double nNorm = noRange ? 0 : (rec.Ne - nidle) / (maxNe - nidle) * 100;
  double tNorm = fullLoad <= 0 ? 0 : rec.Te / fullLoad * 100;
  if (!std::isfinite(nNorm)) return "N_norm(%)";
  if (!std::isfinite(tNorm)) return "T_norm(%)";

  AppendInt(static_cast<int>(rec.Time10 / 10), out);
  out += '\t';
  AppendFixed(rec.Vtarget, 2, out);
  out += '\t';
  AppendFixed(rec.Vreal, 2, out);
  out += '\t';
  AppendTwoStage(rec.Ne, out);
  out += '\t';
  if (rec.Te < 0) {
    out += 'M';
  } else {
    AppendTwoStage(rec.Te, out);
  }
  out += '\t';
  if (noRange || nNorm < 0) {
    out += 'M';
  } else {
    AppendFixed(nNorm, 2, out);
  }
  out += '\t';
  if (tNorm < 0) {
    out += 'M';
  } else {
    AppendFixed(tNorm, 2, out);
  }
  out += '\t';
  AppendInt(rec.Gear, out);
  out += '\n';
  return nullptr;
}
