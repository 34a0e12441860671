// ConvertD: converts a vehicle driving pattern into the engine operating
// points the vehicle needs to follow it. Usage: ConvertD [result file]
#include <cstdio>
#include <string>

#include "context/CalculateProc.h"
#include "input/CommFun.h"

int main(int argc, char** argv) {
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
