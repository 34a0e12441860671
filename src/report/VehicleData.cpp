// Reading the vehicle and the full-load curve named by DATA, with the rules
// ConvertD applies, and checking a result file against them.
#include "report/VehicleData.h"

#include <cmath>
#include <cstdio>

#include "input/CommFun.h"
#include "input/CsvFile.h"
#include "input/CurveFile.h"

namespace {

const double kPi = 3.14;          // the converter's value of pi
const double kNesPercent = 5.0;   // the converter's clutch-engaged share of the range
const int kMaxGears = 100;

// How far a printed value may lie from the value it was printed from: engine
// speed and torque are printed to 0.1 (two-stage rounding), speeds and
// percentages to 0.01.
const double kTenthSlack = 0.051;
const double kHundredthSlack = 0.0051;

// Share of the lines with the clutch engaged whose engine speed may miss
// their gear before the result counts as another vehicle's.
const double kMismatchShare = 0.05;

std::string Field0(CCsvFile& file, int lineNo) {
  if (!file.SetAtRec(lineNo)) return std::string();
  return file.Strings(0);
}

std::string InFolder(const std::string& folder, const std::string& name) {
  if (name.empty() || name[0] == '/' || folder.empty() || folder == ".") return name;
  return folder + "/" + name;
}

std::string Text(const char* format, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

bool ReadSpecification(const std::string& file, stReportVehicle& v, std::string& error) {
  CCsvFile spec;
  if (!spec.ReadFile(file, " ,")) {
    error = file + ": cannot be read";
    return false;
  }
  bool finite = true;
  auto value = [&](int lineNo, double byDefault) {
    std::string text = Field0(spec, lineNo);
    if (text.empty()) return byDefault;
    double x = CommFun->StrToValue(text);
    if (!std::isfinite(x)) finite = false;
    return x;
  };
  if (Field0(spec, 1).empty() || Field0(spec, 2).empty()) {
    error = file + ": lines 1 and 2 must give the vehicle weight and the payload";
    return false;
  }
  v.TireRadius = value(6, 0);
  std::string gearText = Field0(spec, 7);
  v.GearNum = gearText.empty() ? 7 : CommFun->StrToInt(gearText);
  if (v.GearNum > kMaxGears || v.GearNum < 0) {
    error = file + ": line 7: gear count " + CommFun->Quote(gearText) + " is not usable";
    return false;
  }
  v.GearRatio.clear();
  for (int g = 1; g <= v.GearNum; ++g) v.GearRatio.push_back(value(g + 7, 1.0));
  v.FinalRatio = value(v.GearNum + 8, 4.711);
  v.Nidle = value(v.GearNum + 9, 500);
  v.Nrate = value(v.GearNum + 10, 3000);
  v.Nex = value(v.GearNum + 11, 3100);
  if (!finite) {
    error = file + ": holds a number too large for ConvertD";
    return false;
  }
  v.MaxNe = std::trunc(v.Nrate);
  v.Nes = (v.MaxNe - v.Nidle) * kNesPercent / 100 + v.Nidle;
  bool ratiosOk = v.FinalRatio > 0;
  for (double r : v.GearRatio) ratiosOk = ratiosOk && r > 0;
  if (!(v.TireRadius > 0) || !ratiosOk) {
    error = file + ": tyre radius and ratios must be above 0, as ConvertD requires";
    return false;
  }
  return true;
}

bool ReadCurve(const std::string& file, stReportVehicle& v, std::string& error) {
  std::string content, why;
  if (!CommFun->ReadWholeFile(file, content, why)) {
    error = file + ": cannot be read: " + why;
    return false;
  }
  std::vector<MAX_TORQUE> points;
  int badLine;
  std::string badText;
  if (!ParseCurvePoints(content, points, badLine, badText)) {
    error = file + ": line " + std::to_string(badLine) + ": too large a number";
    return false;
  }
  v.Curve.assign(points);
  return true;
}

// The steepest slope of the curve's segments, N·m per rpm.
double SteepestSlope(const TOrderedSet<MAX_TORQUE>& curve) {
  double steepest = 0;
  for (auto b = curve.begin(); b != curve.end(); ++b) {
    if (b == curve.begin()) continue;
    auto a = b - 1;
    if (b->Ne - a->Ne == 0) continue;
    steepest = std::fmax(steepest, std::fabs((b->Te - a->Te) / (b->Ne - a->Ne)));
  }
  return steepest;
}

}  // namespace

double stReportVehicle::FullLoad(double ne) const {
  if (Curve.size() < 2) return 0;
  MAX_TORQUE key;
  key.Ne = ne;
  auto at = Curve.lower_bound(key);
  TOrderedSet<MAX_TORQUE>::iterator a, b;
  if (at == Curve.end()) {
    b = Curve.end() - 1;
    a = b - 1;
    if (b->Ne - a->Ne == 0) return 0;
    return (b->Te - a->Te) / (b->Ne - a->Ne) * (ne - b->Ne) + b->Te;
  }
  if (at == Curve.begin()) {
    a = at;
    b = a + 1;
  } else {
    b = at;
    a = b - 1;
  }
  if (b->Ne - a->Ne == 0) return 0;
  return (b->Te - a->Te) / (b->Ne - a->Ne) * (ne - a->Ne) + a->Te;
}

double stReportVehicle::EngineSpeed(int gear, double v) const {
  if (gear < 1 || gear > static_cast<int>(GearRatio.size())) return 0;
  return v / 60 * (GearRatio[gear - 1] * FinalRatio) * 1000 / (2 * kPi * TireRadius);
}

bool ReadReportVehicle(const std::string& folder, stReportVehicle& vehicle, std::string& error) {
  vehicle = stReportVehicle();
  vehicle.Folder = folder;
  const std::string dataName = InFolder(folder, "DATA");
  CCsvFile names;
  if (!names.ReadFile(dataName, " ,")) {
    error = dataName + ": cannot be read; the folder of a result file must hold the DATA of "
                       "its conversion";
    return false;
  }
  vehicle.PatternName = Field0(names, 1);
  vehicle.VehicleName = Field0(names, 2);
  vehicle.CurveName = Field0(names, 3);
  if (vehicle.VehicleName.empty() || vehicle.CurveName.empty()) {
    error = dataName + ": lines 2 and 3 must name the vehicle specification and the full-load "
                       "curve";
    return false;
  }
  if (!ReadSpecification(InFolder(folder, vehicle.VehicleName), vehicle, error)) return false;
  return ReadCurve(InFolder(folder, vehicle.CurveName), vehicle, error);
}

bool CheckResultFitsVehicle(const std::vector<stResultRow>& rows, const stReportVehicle& v,
                            const std::string& resultName, std::string& error) {
  const std::string whose = "; the result file was not made with the vehicle " +
                            v.VehicleName + " and the curve " + v.CurveName +
                            " that DATA names";
  const double range = v.MaxNe - v.Nidle;
  const double slope = SteepestSlope(v.Curve);
  size_t engaged = 0, misfits = 0;
  const stResultRow* firstMisfit = nullptr;
  double misfitExpected = 0;
  for (const stResultRow& r : rows) {
    const std::string where = resultName + ": line " + std::to_string(r.LineNo) + ": ";
    if (r.Gear > v.GearNum) {
      error = where + "gear " + std::to_string(r.Gear) + ", but the vehicle has " +
              std::to_string(v.GearNum) + " gears" + whose;
      return false;
    }
    // The engine's range: N_norm = (Ne - Nidle) / (MaxNe - Nidle) x 100.
    if (range == 0) {
      if (!r.NnormNegative) {
        error = where + "N_norm is a number, but the engine has no range" + whose;
        return false;
      }
    } else {
      const double expected = (r.Ne - v.Nidle) / range * 100;
      const double slack = kHundredthSlack + kTenthSlack * 100 / std::fabs(range);
      bool fits = r.NnormNegative ? r.Ne < v.Nidle + kTenthSlack
                                  : std::fabs(expected - r.Nnorm) <= slack;
      if (!fits) {
        error = where + "engine speed " + Text("%.1f", r.Ne) + " rpm gives N_norm " +
                Text("%.2f", expected) + " % with Nidle " + Text("%g", v.Nidle) +
                " rpm and Nrate " + Text("%g", v.MaxNe) + " rpm, the file says " +
                (r.NnormNegative ? std::string("M") : Text("%.2f", r.Nnorm)) + whose;
        return false;
      }
    }
    // The full-load curve: T_norm = Te / full load at Ne x 100.
    const double full = v.FullLoad(r.Ne);
    const double fullSlack = slope * kTenthSlack;
    if (full > fullSlack + 1) {
      bool fits;
      double expected = r.Te / full * 100;
      if (r.TeNegative) {
        fits = r.TnormNegative;
      } else {
        double low = full - fullSlack;
        double slack = kHundredthSlack + 100 * (kTenthSlack / low + r.Te * fullSlack / (low * low));
        fits = !r.TnormNegative && std::fabs(expected - r.Tnorm) <= slack;
      }
      if (!fits) {
        error = where + "torque " + (r.TeNegative ? std::string("M") : Text("%.1f", r.Te)) +
                " N-m at " + Text("%.1f", r.Ne) + " rpm gives T_norm " +
                (r.TeNegative ? std::string("M") : Text("%.2f", expected)) +
                " % with the full-load torque " + Text("%.1f", full) + " N-m, the file says " +
                (r.TnormNegative ? std::string("M") : Text("%.2f", r.Tnorm)) + whose;
        return false;
      }
    } else if (full < -(fullSlack + 1) && (r.TnormNegative || r.Tnorm != 0)) {
      error = where + "T_norm must be 0.00 where the full-load torque is not positive" + whose;
      return false;
    }
    // The gear ratios and tyre: with the clutch engaged (above Nes) the engine
    // turns with the wheels.
    if (r.Gear > 0 && r.Ne > v.Nes + kTenthSlack) {
      ++engaged;
      const double expected = v.EngineSpeed(r.Gear, r.Vreal);
      const double perKmh = v.EngineSpeed(r.Gear, 1.0);
      if (std::fabs(expected - r.Ne) > kTenthSlack + perKmh * kHundredthSlack + 1e-6 * r.Ne) {
        if (misfits++ == 0) {
          firstMisfit = &r;
          misfitExpected = expected;
        }
      }
    }
  }
  if (misfits > kMismatchShare * engaged) {
    const stResultRow& r = *firstMisfit;
    error = resultName + ": line " + std::to_string(r.LineNo) + ": engine speed " +
            Text("%.1f", r.Ne) + " rpm at " + Text("%.2f", r.Vreal) + " km/h in gear " +
            std::to_string(r.Gear) + " does not fit the gear ratios and tyre (" +
            Text("%.1f", misfitExpected) + " rpm expected); " + std::to_string(misfits) +
            " of " + std::to_string(engaged) + " lines with the clutch engaged do not fit" +
            whose;
    return false;
  }
  return true;
}
