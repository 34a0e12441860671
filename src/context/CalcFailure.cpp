// The one standard-error line that tells the user where a conversion could
// not go on. Only the first failure is kept: later ones are consequences.
#include <cstdio>

#include "context/CalculateProc.h"

namespace {

std::string TimeText(double time10) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", time10 / 10);
  return buf;
}

}  // namespace

bool TCalculateProc::CalcFailure(Pos record, const std::string& reason) {
  if (!CalcError.empty()) return false;
  if (record == CalcData.end()) {
    CalcError = "calculation stopped: " + reason;
  } else {
    CalcError = "calculation stopped at time " + TimeText(record->Time10) + " s: " + reason;
  }
  return false;
}

bool TCalculateProc::CalcFailure(Pos record, int gear) {
  char buf[256];
  if (gear == 0) {
    std::snprintf(buf, sizeof buf,
                  "gear 0 (neutral) while the vehicle has to move; give the pattern a gear "
                  "from 1 to %d here",
                  GearNum);
  } else if (gear < 1 || gear > static_cast<int>(GearRatio.size())) {
    std::snprintf(buf, sizeof buf, "gear %d is not a gear of the vehicle (1 to %d)", gear,
                  static_cast<int>(GearRatio.size()));
  } else {
    std::snprintf(buf, sizeof buf,
                  "in gear %d the full-load search found no attainable speed", gear);
  }
  return CalcFailure(record, std::string(buf));
}
