// Helpers of the tests: temporary folders, running the built ConvertD in
// one, and a realistic truck set up in a conversion object.
#ifndef CONVERTD_TESTS_TESTUTIL_H_
#define CONVERTD_TESTS_TESTUTIL_H_

#include <string>
#include <vector>

#include "context/CalculateProc.h"

namespace testutil {

// A fresh folder under the system's temporary folder, removed with all its
// content at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& content) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;
  // Names of the entries of the folder, sorted.
  std::vector<std::string> List() const;

 private:
  std::string path_;
};

struct RunResult {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;  // standard output
  std::string err;  // standard error
};

// Limits of the program's process.
struct RunLimits {
  // Largest file the program may write, in bytes (RLIMIT_FSIZE; writing
  // beyond it fails with EFBIG), or -1 for no limit. It holds for the files
  // that catch standard output and error too.
  long long maxFileSize = -1;
};

// Runs program with args in folder dir, feeding input on standard input.
RunResult Run(const std::string& program, const std::string& dir,
              const std::vector<std::string>& args, const std::string& input = "",
              const RunLimits& limits = RunLimits());

// Runs the built ConvertD.
RunResult RunConvertD(const std::string& dir, const std::vector<std::string>& args,
                      const std::string& input = "", const RunLimits& limits = RunLimits());

// Runs the built ReportD.
RunResult RunReportD(const std::string& dir, const std::vector<std::string>& args);

// A conversion in a temporary folder: DATA naming the three input files
// (pattern.txt, vehicle.txt, curve.txt), which the test fills in.
struct Conversion {
  TempDir dir;
  Conversion(const std::string& pattern, const std::string& vehicle, const std::string& curve);
  // Runs ConvertD with the result file out.txt.
  RunResult Run(const std::vector<std::string>& args = {"out.txt"}, const std::string& input = "");
  std::string Result() const { return dir.Read("out.txt"); }
};

// A 14 t truck with six gears and its full-load curve, as files.
extern const char kTruckVehicle[];
extern const char kTruckCurve[];

// The same truck set directly into a conversion object, with its per-gear
// table built.
void SetUpTruck(TCalculateProc& proc);

// A trace on a 1 s grid with the given target speeds, one record each,
// StepLength 10 and the acceleration of the target over each step.
void MakeTrace(TCalculateProc& proc, const std::vector<double>& targets);

// A file of the source tree, by its path from the project root.
std::string ReadSourceFile(const std::string& relativePath);

// Lines of a text, without their line feeds.
std::vector<std::string> Lines(const std::string& text);

// Fields of a tab-separated line.
std::vector<std::string> Fields(const std::string& line);

}  // namespace testutil

#endif  // CONVERTD_TESTS_TESTUTIL_H_
