// Shared by the fuzz targets: a private work folder for the input files of
// one target, quiet standard output, and the bound on pattern end times that
// keeps a single input fast.
#ifndef CONVERTD_FUZZ_FUZZUTIL_H_
#define CONVERTD_FUZZ_FUZZUTIL_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzutil {

// Makes the global CommFun, sends standard output to /dev/null (the
// program's messages are not what is tested; standard error stays, so that
// libFuzzer and the sanitizers can report) and creates the work folder.
// Idempotent; every target calls it from LLVMFuzzerInitialize.
void Setup();

// The work folder (absolute path) and a file in it.
const std::string& Folder();
std::string File(const std::string& name);

// Writes data to the file name in the work folder, replacing it.
void WriteFile(const std::string& name, const void* data, size_t size);
void WriteFile(const std::string& name, const std::string& text);

// Reads a file of the work folder; false when it does not exist.
bool ReadFile(const std::string& name, std::string& content);

// Removes a file of the work folder, if present.
void RemoveFile(const std::string& name);

// Runs the reader or conversion in the work folder (where DATA is looked
// up) and returns to the folder the fuzzer was started in.
class InFolder {
 public:
  InFolder();
  ~InFolder();
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  int saved_;
};

// False when a data line of the pattern text has a time above maxSeconds
// that the reader would accept (up to its own limit it builds one record per
// second). Lines are taken as the reader takes them; times that the reader
// refuses anyway (too large, infinite) pass.
bool PatternEndWithin(const std::string& pattern, double maxSeconds);

// Reports a broken property of the code under test and aborts, so that
// libFuzzer keeps the input.
[[noreturn]] void Fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace fuzzutil

#define FUZZ_CHECK(cond, ...)                                   \
  do {                                                          \
    if (!(cond)) fuzzutil::Fail("check failed: " #cond ": " __VA_ARGS__); \
  } while (0)

#endif  // CONVERTD_FUZZ_FUZZUTIL_H_
