// The HTML report of a result file: one self-contained page with the
// statistics, the stretches far behind the target and the charts as inline
// SVG. It loads nothing from anywhere.
#ifndef CONVERTD_REPORT_HTMLREPORT_H_
#define CONVERTD_REPORT_HTMLREPORT_H_

#include <string>
#include <vector>

#include "report/ResultData.h"
#include "report/Statistics.h"
#include "report/VehicleData.h"

std::string BuildHtmlReport(const std::string& resultName, const std::vector<stResultRow>& rows,
                            const stReportVehicle& vehicle, const stReportStats& stats);

#endif  // CONVERTD_REPORT_HTMLREPORT_H_
