// The result file: a header line and one tab-separated line per record.
#include <cstdio>
#include <iostream>

#include "context/CalculateProc.h"
#include "input/CommFun.h"
#include "output/ResultLine.h"
#include "output/SafeFile.h"

namespace {

const size_t kChunk = 1 << 16;

void ReportWriteError() {
  std::printf("File write error.\n");
  std::fflush(stdout);
}

}  // namespace

void TCalculateProc::GetCalculateDataFileName(std::string& name) {
  name = OutFileName;
  if (!name.empty()) return;
  std::fputs("Please, type output filename=", stderr);
  std::fflush(stderr);
  std::cin >> name;
}

int TCalculateProc::WriteHead(FILE* file) {
  if (std::fprintf(file, "%s\n", kResultHeader) < 0) {
    ReportWriteError();
    return -1;
  }
  return 1;
}

int TCalculateProc::WriteAllCalculateData() {
  std::string name;
  GetCalculateDataFileName(name);
  for (const std::string& input : InputFileNames) {
    if (CommFun->SameFile(name, input)) {
      CommFun->ErrorLine("%s: the result file would overwrite the input file %s", name.c_str(),
                         input.c_str());
      return -1;
    }
  }

  TSafeFile out;
  std::string why;
  if (!out.Open(name, why)) {
    std::printf("%s\n\nThe file is not found.\n", name.c_str());
    std::fflush(stdout);
    CommFun->ErrorLine("%s: %s", name.c_str(), why.c_str());
    return -1;
  }
  if (WriteHead(out.file()) != 1) return -1;

  std::string chunk;
  chunk.reserve(kChunk + 512);
  for (CalcCursor = CalcData.begin(); CalcCursor != CalcData.end(); ++CalcCursor) {
    const stCalculateData& rec = *CalcCursor;
    if (rec.PrintMark != 1) continue;
    double fullLoad = GetLineReviseMaxTorque(rec.Ne);
    const char* bad = AppendResultLine(rec, fullLoad, Nidle, MaxNe, chunk);
    if (bad != nullptr) {
      CommFun->ErrorLine("%s: time %g s: column %s has no finite value; no result written",
                         name.c_str(), rec.Time10 / 10, bad);
      return -1;
    }
    if (chunk.size() >= kChunk) {
      if (!out.Write(chunk.data(), chunk.size())) {
        ReportWriteError();
        return -1;
      }
      chunk.clear();
    }
  }
  if (!out.Write(chunk.data(), chunk.size()) || !out.Commit(why)) {
    ReportWriteError();
    if (!why.empty()) CommFun->ErrorLine("%s: %s", name.c_str(), why.c_str());
    return -1;
  }
  return 1;
}
