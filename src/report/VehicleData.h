// The vehicle and engine a result file was made for, read from the name
// file DATA of the result's folder the way ConvertD reads them, and the
// check that a result file really belongs to them.
#ifndef CONVERTD_REPORT_VEHICLEDATA_H_
#define CONVERTD_REPORT_VEHICLEDATA_H_

#include <string>
#include <vector>

#include "context/OrderedSet.h"
#include "context/Records.h"
#include "report/ResultData.h"

struct stReportVehicle {
  std::string Folder;        // the folder of DATA
  std::string PatternName;   // the names as DATA gives them
  std::string VehicleName;
  std::string CurveName;
  int GearNum = 7;
  std::vector<double> GearRatio;
  double FinalRatio = 4.711;
  double TireRadius = 0;   // m
  double Nidle = 500;      // rpm
  double Nrate = 3000;     // rpm
  double Nex = 3100;       // rpm
  double MaxNe = 3000;     // rpm, Nrate without its fraction
  double Nes = 625;        // rpm, where the clutch counts as engaged
  TOrderedSet<MAX_TORQUE> Curve;

  // Full-load torque at engine speed ne, interpolated and extrapolated along
  // the curve's straight segments as ConvertD does; 0 without a segment.
  double FullLoad(double ne) const;

  // Engine speed of gear at vehicle speed v (km/h), with ConvertD's 3.14
  // for pi; 0 for a gear the vehicle does not have.
  double EngineSpeed(int gear, double v) const;
};

// Reads DATA in folder, then the vehicle specification and the full-load
// curve it names (relative to folder unless absolute). False with a message
// when a file is missing or cannot be what ConvertD accepted.
bool ReadReportVehicle(const std::string& folder, stReportVehicle& vehicle, std::string& error);

// True when every row fits the vehicle: its gear exists, its normalised
// engine speed is that of the vehicle's engine range, its normalised torque
// that of the full-load curve, and with the clutch engaged its engine speed
// that of its gear at its speed. Otherwise false with a message naming the
// first line that does not fit.
bool CheckResultFitsVehicle(const std::vector<stResultRow>& rows, const stReportVehicle& vehicle,
                            const std::string& resultName, std::string& error);

#endif  // CONVERTD_REPORT_VEHICLEDATA_H_
