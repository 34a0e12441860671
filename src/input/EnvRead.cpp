// EnvRead: the initialisation of a conversion. It assigns the constants,
// reads the name file DATA, the driving pattern, the vehicle specification
// and the full-load curve, and builds the per-gear table.
#include <cmath>

#include "context/CalculateProc.h"
#include "input/CommFun.h"
#include "input/CsvFile.h"

namespace {

const char kNameFile[] = "DATA";
const int kMaxGears = 100;  // more gears than any vehicle has: a typing error

// Field 0 of a line of a file read with CCsvFile; empty when not given.
std::string Field0(CCsvFile& file, int lineNo) {
  if (!file.SetAtRec(lineNo)) return std::string();
  return file.Strings(0);
}

}  // namespace

// The fixed settings of every conversion.
void TCalculateProc::SetConstants() {
  TimeStep = 1.0;
  LowestShiftGear = 2;
  ShiftTime = 3.0;
  FinalEfficiency = 0.95;
  RotCoefA = 0.03;
  RotCoefB = 0.07;
  CrewUnitWeight = 55;
  NecPercent = 4.0;
  NesPercent = 5.0;
  Pi = 3.14;
  Gravity = 9.8;
}

bool TCalculateProc::EnvRead() {
  SetConstants();
  InputFileNames.clear();

  if (!CommFun->FileExists(kNameFile)) return false;
  CCsvFile names;
  if (!names.ReadFile(kNameFile, " ,")) {
    CommFun->ErrorLine("%s: cannot be read", kNameFile);
    return false;
  }
  InputFileNames.push_back(kNameFile);

  std::string patternName = Field0(names, 1);
  if (!CommFun->FileExists(patternName)) return false;
  InputFileNames.push_back(patternName);
  if (!PtnRead(patternName)) return false;

  std::string vehicleName = Field0(names, 2);
  if (!CommFun->FileExists(vehicleName)) return false;
  InputFileNames.push_back(vehicleName);
  if (!ReadVehicle(vehicleName)) return false;

  std::string curveName = Field0(names, 3);
  if (!CommFun->FileExists(curveName)) return false;
  InputFileNames.push_back(curveName);
  if (ReadMaxTorqueData(curveName) == -1) return false;

  if (!GetExceedF()) {
    CommFun->ErrorLine("%s: a gear has no ratio", vehicleName.c_str());
    return false;
  }
  return true;
}

// Reads the vehicle specification: one value per line, field 0 of the line.
// The lines after the gear count move with the gear count G of line 7.
bool TCalculateProc::ReadVehicle(const std::string& fileName) {
  CCsvFile spec;
  if (!spec.ReadFile(fileName, " ,")) {
    CommFun->ErrorLine("%s: cannot be read", fileName.c_str());
    return false;
  }
  const char* file = fileName.c_str();
  bool finite = true;
  // A decimal value of a line, or its default when the line gives none.
  auto value = [&](int lineNo, double byDefault, const char* what) {
    std::string text = Field0(spec, lineNo);
    if (text.empty()) return byDefault;
    double v = CommFun->StrToValue(text);
    if (!std::isfinite(v) && finite) {
      CommFun->ErrorLine("%s: line %d: %s %s is too large a number", file, lineNo, what,
                         CommFun->Quote(text).c_str());
      finite = false;
    }
    return v;
  };

  std::string w0Text = Field0(spec, 1);
  if (w0Text.empty()) {
    CommFun->ErrorLine("%s: line 1: the vehicle weight W0 is not given", file);
    return false;
  }
  std::string payloadText = Field0(spec, 2);
  if (payloadText.empty()) {
    CommFun->ErrorLine("%s: line 2: the payload is not given", file);
    return false;
  }
  Crew = value(3, 0, "crew");
  double w0 = value(1, 0, "vehicle weight W0");
  double payload = value(2, 0, "payload");
  W0 = w0;
  TestW0 = w0;
  Payload = payload;
  TestPayload = payload / 2;
  Height = value(4, 0, "height");
  Width = value(5, 0, "width");
  TireRadius = value(6, 0, "tyre radius");
  std::string gearText = Field0(spec, 7);
  GearNum = gearText.empty() ? 7 : CommFun->StrToInt(gearText);
  if (GearNum > kMaxGears) {
    CommFun->ErrorLine("%s: line 7: gear count %s is above %d", file,
                       CommFun->Quote(gearText).c_str(), kMaxGears);
    return false;
  }

  GearRatio.clear();
  for (int g = 1; g <= GearNum; ++g) GearRatio.push_back(value(g + 7, 1.0, "gear ratio"));
  FinalRatio = value(GearNum + 8, 4.711, "final ratio");
  Nidle = value(GearNum + 9, 500, "Nidle");
  Nrate = value(GearNum + 10, 3000, "Nrate");
  Nex = value(GearNum + 11, 3100, "Nex");
  if (!finite) return false;
  MaxNe = GetMaxNe();

  Nec = (MaxNe - Nidle) * NecPercent / 100 + Nidle;
  Nes = (MaxNe - Nidle) * NesPercent / 100 + Nidle;
  return CheckVehicle(fileName);
}

// Values that would make the formulas divide by zero or lose their physical
// meaning are refused here, before the curve is looked at.
bool TCalculateProc::CheckVehicle(const std::string& fileName) {
  const char* file = fileName.c_str();
  if (W0 < 0) {
    CommFun->ErrorLine("%s: line 1: vehicle weight W0 %g is below 0", file, W0);
    return false;
  }
  if (Payload < 0) {
    CommFun->ErrorLine("%s: line 2: payload %g is below 0", file, Payload);
    return false;
  }
  if (!(TireRadius > 0)) {
    CommFun->ErrorLine("%s: line 6: tyre radius %g m must be above 0 (an empty line gives 0)",
                       file, TireRadius);
    return false;
  }
  for (int g = 1; g <= GearNum; ++g) {
    if (!(GearRatio[g - 1] > 0)) {
      CommFun->ErrorLine("%s: line %d: ratio %g of gear %d must be above 0", file, g + 7,
                         GearRatio[g - 1], g);
      return false;
    }
  }
  if (!(FinalRatio > 0)) {
    CommFun->ErrorLine("%s: line %d: final ratio %g must be above 0", file, GearNum + 8,
                       FinalRatio);
    return false;
  }
  if (!(Nex > Nes)) {
    CommFun->ErrorLine(
        "%s: line %d: Nex %g rpm must lie above Nes %g rpm (5 %% of the range Nidle %g to "
        "Nrate %g)",
        file, GearNum + 11, Nex, Nes, Nidle, MaxNe);
    return false;
  }
  return true;
}
