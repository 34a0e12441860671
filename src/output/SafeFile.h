// A result file that appears whole or not at all: it is written to a new
// temporary file in the target's folder and renamed over the target only
// when complete, so that a failed run leaves an earlier file untouched.
#ifndef CONVERTD_OUTPUT_SAFEFILE_H_
#define CONVERTD_OUTPUT_SAFEFILE_H_

#include <cstdio>
#include <string>

class TSafeFile {
 public:
  TSafeFile() {}
  ~TSafeFile() { Discard(); }
  TSafeFile(const TSafeFile&) = delete;
  TSafeFile& operator=(const TSafeFile&) = delete;

  // Creates the temporary file for target. False when target cannot be
  // written: it is empty, a folder, a file not open for writing, or lies in
  // a folder where no file can be created. error then says why.
  bool Open(const std::string& target, std::string& error);

  FILE* file() { return file_; }

  // Writes len bytes; false on a write error.
  bool Write(const char* data, size_t len);

  // Flushes, closes and renames the file into place; false, and nothing
  // changed at the target, when any of that fails.
  bool Commit(std::string& error);

  // Removes the temporary file, if any.
  void Discard();

 private:
  FILE* file_ = nullptr;
  std::string temp_;
  std::string target_;
};

#endif  // CONVERTD_OUTPUT_SAFEFILE_H_
