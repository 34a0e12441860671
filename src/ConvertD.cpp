// ConvertD: converts a vehicle driving pattern into the engine operating
// points the vehicle needs to follow it. Usage: ConvertD [result file]
#include <cstdio>
#include <cstring>
#include <string>

#include "context/CalculateProc.h"
#include "input/CommFun.h"

namespace {

const char kVersion[] = "1.1";  // as the run prints it: "Ver 1.1 "

const char kUsage[] =
    "Usage: ConvertD [RESULT-FILE]\n"
    "       ConvertD -h | --help | --version\n"
    "\n"
    "Converts the driving pattern named by the file DATA of the current folder\n"
    "into the engine operating points of the vehicle and full-load curve DATA\n"
    "names, and writes them as a tab-separated result file. Without RESULT-FILE\n"
    "the name is asked for at the end of the run.\n"
    "\n"
    "DATA: three lines naming the driving pattern, the vehicle specification\n"
    "and the full-load torque curve files.\n"
    "\n"
    "When the vehicle stays more than 10 km/h behind the target speed for more\n"
    "than 10 s, a warning on standard error lists those stretches.\n"
    "\n"
    "Exit status: 0 after a conversion, 255 after an input or calculation\n"
    "failure. ReportD makes a report of a result file.\n";

}  // namespace

int main(int argc, char** argv) {
  // Only these exact first arguments are options; any other one is the name
  // of the result file.
  if (argc > 1 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("ConvertD %s\n", kVersion);
    return 0;
  }
  CommFun = new TCommFun();
  CalculateProc = new TCalculateProc();

  bool ready = argc <= 1 ? CalculateProc->Init() : CalculateProc->Init(std::string(argv[1]));
  if (!ready) {
    std::printf("Stopped with error.\n");
    std::fflush(stdout);
    return -1;
  }
  std::printf("Convert start!\n");
  std::fflush(stdout);

  if (CalculateProc->CalculateProcess() == -1) {
    std::printf("Stopped with error.\n");
    std::fflush(stdout);
    return -1;
  }
  std::printf("Convert finished!\n");
  std::fflush(stdout);
  delete CommFun;
  CommFun = nullptr;
  delete CalculateProc;
  CalculateProc = nullptr;
  return 0;
}
