// ReportD: reads the result file of a conversion, with the vehicle and the
// full-load curve named by the DATA of its folder, and writes an HTML report
// with charts and statistics. With several results it prints one CSV row of
// statistics per result, to compare a fleet of vehicle variants.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "input/CommFun.h"
#include "output/SafeFile.h"
#include "report/HtmlReport.h"
#include "report/ResultData.h"
#include "report/Statistics.h"
#include "report/VehicleData.h"

namespace {

const int kExitInput = 1;  // an input could not be reported on
const int kExitUsage = 2;  // the command line is wrong

const char kUsage[] =
    "Usage: ReportD [-o REPORT.html] [--csv] [--no-report] RESULT...\n"
    "       ReportD -h | --help\n"
    "\n"
    "Makes a report of the result file of a ConvertD conversion. RESULT is a\n"
    "result file, or a folder that holds exactly one. The DATA of the result's\n"
    "folder names the vehicle specification and the full-load curve, as for\n"
    "the conversion; a result that does not fit them is refused.\n"
    "\n"
    "For each RESULT an HTML report (charts and statistics, self-contained)\n"
    "is written beside the result file, named like it with .html.\n"
    "\n"
    "  -o FILE       write the report to FILE instead (one RESULT only)\n"
    "  --csv         print the statistics as CSV, also for one RESULT\n"
    "  --no-report   write no HTML report, only print the statistics\n"
    "  -h, --help    print this help\n"
    "\n"
    "Standard output: the statistics as a table for one RESULT; for several,\n"
    "or with --csv, a CSV header and one row per RESULT.\n"
    "Exit status: 0 when every RESULT was reported on, 1 when one could not\n"
    "be (the reason is on standard error), 2 for a wrong command line.\n";

void Error(const std::string& text) {
  std::fflush(stdout);
  std::fprintf(stderr, "ReportD: %s\n", text.c_str());
  std::fflush(stderr);
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

// The result file of a folder: the one file in it that starts with the
// header line of a result file.
bool FindResultInFolder(const std::string& folder, std::string& result, std::string& error) {
  std::vector<std::string> found;
  DIR* d = ::opendir(folder.c_str());
  if (d == nullptr) {
    error = folder + ": cannot be read: " + std::strerror(errno);
    return false;
  }
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    std::string path = Join(folder, name);
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (LooksLikeResultFile(path)) found.push_back(name);
  }
  ::closedir(d);
  std::sort(found.begin(), found.end());
  if (found.size() == 1) {
    result = Join(folder, found[0]);
    return true;
  }
  if (found.empty()) {
    error = folder + ": holds no result file of ConvertD";
  } else {
    std::string names;
    for (const std::string& n : found) names += (names.empty() ? "" : ", ") + n;
    error = folder + ": holds several result files (" + names + "); name the one to report on";
  }
  return false;
}

// The report's default name: the result's with .html in place of its
// extension.
std::string DefaultReportName(const std::string& result) {
  size_t slash = result.find_last_of('/');
  size_t dot = result.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)) {
    return result.substr(0, dot) + ".html";
  }
  return result + ".html";
}

bool WriteReport(const std::string& name, const std::string& html, std::string& error) {
  TSafeFile out;
  std::string why;
  if (!out.Open(name, why) || !out.Write(html.data(), html.size()) || !out.Commit(why)) {
    error = name + ": the report cannot be written: " + why;
    return false;
  }
  return true;
}

struct stOptions {
  std::string ReportName;
  bool Csv = false;
  bool NoReport = false;
  std::vector<std::string> Inputs;
};

// One RESULT: read, check, report. False with the reason in error.
bool Report(const std::string& input, const stOptions& options, bool csv, std::string& error) {
  std::string result = input;
  std::string folder;
  if (IsFolder(input)) {
    if (!FindResultInFolder(input, result, error)) return false;
    folder = input;
  } else {
    folder = FolderOf(input);
  }
  std::vector<stResultRow> rows;
  if (!ReadResultFile(result, rows, error)) return false;
  stReportVehicle vehicle;
  if (!ReadReportVehicle(FolderOf(result), vehicle, error)) return false;
  if (!CheckResultFitsVehicle(rows, vehicle, result, error)) return false;
  stReportStats stats = ComputeStatistics(rows, vehicle.GearNum);

  if (!options.NoReport) {
    std::string name = options.ReportName.empty() ? DefaultReportName(result) : options.ReportName;
    if (name == result || CommFun->SameFile(name, result)) {
      error = name + ": the report would overwrite the result file";
      return false;
    }
    if (!WriteReport(name, BuildHtmlReport(result, rows, vehicle, stats), error)) return false;
    std::fflush(stdout);
    std::fprintf(stderr, "ReportD: report written to %s\n", name.c_str());
  }
  if (csv) {
    std::printf("%s\n", StatisticsCsvRow(folder, result, vehicle.VehicleName, vehicle.CurveName,
                                         stats)
                            .c_str());
  } else {
    std::printf("Result file %s (vehicle %s, full-load curve %s)\n\n%s", result.c_str(),
                vehicle.VehicleName.c_str(), vehicle.CurveName.c_str(),
                StatisticsText(stats).c_str());
  }
  std::fflush(stdout);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  CommFun = new TCommFun();
  stOptions options;
  bool optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (optionsEnd || a.empty() || a[0] != '-' || a == "-") {
      options.Inputs.push_back(a);
    } else if (a == "--") {
      optionsEnd = true;
    } else if (a == "-h" || a == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (a == "-o") {
      if (i + 1 >= argc) {
        Error("-o needs the name of the report file; see ReportD --help");
        return kExitUsage;
      }
      options.ReportName = argv[++i];
    } else if (a == "--csv") {
      options.Csv = true;
    } else if (a == "--no-report") {
      options.NoReport = true;
    } else {
      Error("unknown option " + a + "; see ReportD --help");
      return kExitUsage;
    }
  }
  if (options.Inputs.empty()) {
    Error("no result file given; see ReportD --help");
    return kExitUsage;
  }
  if (!options.ReportName.empty() && options.Inputs.size() > 1) {
    Error("-o names the report of one result file only; several get theirs beside them");
    return kExitUsage;
  }

  const bool csv = options.Csv || options.Inputs.size() > 1;
  if (csv) std::printf("%s\n", StatisticsCsvHeader().c_str());
  int status = 0;
  for (const std::string& input : options.Inputs) {
    std::string error;
    if (!Report(input, options, csv, error)) {
      Error(error);
      status = kExitInput;
    }
  }
  delete CommFun;
  CommFun = nullptr;
  return status;
}
