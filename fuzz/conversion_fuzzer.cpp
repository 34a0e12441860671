// The whole conversion, as ConvertD runs it, on a fuzzed pattern, vehicle
// and curve: the input holds the three files separated by NUL bytes (a
// missing part is an empty file). Inputs are bounded in size and in pattern
// end time so that one conversion stays fast.
//
// A run either fails and leaves no result file, or writes a complete one:
// the header and one line per trace record, with numbers only.
#include <dirent.h>

#include <algorithm>
#include <string>
#include <vector>

#include "FuzzUtil.h"
#include "context/CalculateProc.h"

namespace {

const size_t kMaxInput = 4096;
const double kMaxEndSeconds = 1000;
const char kHeader[] =
    "time(s)\tVtarget(km/h)\tVreal(km/h)\tNe(rpm)\tTe(N-m)\tN_norm(%)\tT_norm(%)\tShift\n";

std::vector<std::string> FolderEntries() {
  std::vector<std::string> names;
  DIR* d = opendir(fuzzutil::Folder().c_str());
  if (d == nullptr) return names;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzutil::Setup();
  fuzzutil::WriteFile("DATA", "pattern.txt\nvehicle.txt\ncurve.txt\n");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  std::string parts[3];
  const std::string input(reinterpret_cast<const char*>(data), size);
  size_t from = 0;
  for (int i = 0; i < 3 && from <= input.size(); ++i) {
    size_t nul = i < 2 ? input.find('\0', from) : std::string::npos;
    if (nul == std::string::npos) nul = input.size();
    parts[i] = input.substr(from, nul - from);
    from = nul + 1;
  }
  if (!fuzzutil::PatternEndWithin(parts[0], kMaxEndSeconds)) return 0;
  fuzzutil::WriteFile("pattern.txt", parts[0]);
  fuzzutil::WriteFile("vehicle.txt", parts[1]);
  fuzzutil::WriteFile("curve.txt", parts[2]);

  TCalculateProc* proc = new TCalculateProc();
  int outcome = 0;  // 0: initialisation failed, else CalculateProcess's result
  {
    fuzzutil::InFolder in;
    if (proc->Init("result.txt")) outcome = proc->CalculateProcess();
  }
  FUZZ_CHECK(outcome == 0 || outcome == 1 || outcome == -1, "result %d", outcome);

  std::string result;
  bool written = fuzzutil::ReadFile("result.txt", result);
  FUZZ_CHECK(written == (outcome == 1), "outcome %d, result file %s", outcome,
             written ? "written" : "missing");
  std::vector<std::string> expected = {"DATA", "curve.txt", "pattern.txt", "vehicle.txt"};
  if (written) expected.insert(expected.begin() + 3, "result.txt");
  FUZZ_CHECK(FolderEntries() == expected, "files left in the work folder");
  if (written) {
    FUZZ_CHECK(result.compare(0, sizeof kHeader - 1, kHeader) == 0, "header");
    size_t lines = std::count(result.begin(), result.end(), '\n');
    FUZZ_CHECK(lines == proc->CalcData.size() + 1, "%zu lines for %zu records", lines,
               proc->CalcData.size());
    FUZZ_CHECK(!result.empty() && result.back() == '\n', "unfinished last line");
    FUZZ_CHECK(result.find_first_not_of("0123456789.-M\t\n", sizeof kHeader - 1) ==
                   std::string::npos,
               "a data line holds more than numbers and M");
    fuzzutil::RemoveFile("result.txt");
  }
  delete proc;
  return 0;
}
