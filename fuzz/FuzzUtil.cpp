#include "FuzzUtil.h"

#include <dirent.h>
#include <sanitizer/common_interface_defs.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdarg>
#include <string_view>
#include <vector>

#include "input/CommFun.h"

namespace fuzzutil {

namespace {

std::string folder;

// The pattern reader's limit on the end time, in seconds.
const double kReaderEndTimeLimit = 10000000;

void RemoveFolder() {
  if (folder.empty()) return;
  DIR* d = opendir(folder.c_str());
  if (d != nullptr) {
    while (dirent* e = readdir(d)) {
      std::string name = e->d_name;
      if (name != "." && name != "..") unlink((folder + "/" + name).c_str());
    }
    closedir(d);
  }
  rmdir(folder.c_str());
  folder.clear();
}

}  // namespace

void Setup() {
  if (!folder.empty()) return;
  if (CommFun == nullptr) CommFun = new TCommFun();
  int null = open("/dev/null", O_WRONLY);
  if (null >= 0) {
    std::fflush(stdout);
    dup2(null, 1);
    close(null);
  }
  // Every input is written to a file: a folder in memory is several times
  // faster than one on disk.
  const char* base = std::getenv("TMPDIR");
  if (base == nullptr || *base == '\0') base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string pattern = std::string(base) + "/convertd-fuzz-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (mkdtemp(buf.data()) == nullptr) Fail("cannot create a work folder under %s", pattern.c_str());
  folder = buf.data();
  std::atexit(RemoveFolder);
}

const std::string& Folder() { return folder; }

std::string File(const std::string& name) { return folder + "/" + name; }

void WriteFile(const std::string& name, const void* data, size_t size) {
  std::string path = File(name);
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) Fail("cannot write %s", path.c_str());
  if (size > 0 && std::fwrite(data, 1, size, f) != size) Fail("cannot write %s", path.c_str());
  std::fclose(f);
}

void WriteFile(const std::string& name, const std::string& text) {
  WriteFile(name, text.data(), text.size());
}

bool ReadFile(const std::string& name, std::string& content) {
  content.clear();
  FILE* f = std::fopen(File(name).c_str(), "rb");
  if (f == nullptr) return false;
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) content.append(chunk, got);
  std::fclose(f);
  return true;
}

void RemoveFile(const std::string& name) { unlink(File(name).c_str()); }

InFolder::InFolder() : saved_(open(".", O_RDONLY | O_DIRECTORY)) {
  if (saved_ < 0 || chdir(folder.c_str()) != 0) Fail("cannot enter %s", folder.c_str());
}

InFolder::~InFolder() {
  if (fchdir(saved_) != 0) Fail("cannot return to the starting folder");
  close(saved_);
}

bool PatternEndWithin(const std::string& pattern, double maxSeconds) {
  size_t pos = 0;
  std::string_view line;
  int lineNo = 0;
  while (CommFun->NextLine(pattern, pos, 1024, line)) {
    if (++lineNo == 1) continue;
    size_t start = line.find_first_not_of(" \t\n");
    if (start == std::string_view::npos) continue;
    size_t end = line.find_first_of(" \t\n", start);
    std::string_view token = line.substr(start, end == std::string_view::npos ? end : end - start);
    double t = CommFun->StrToValue(token);
    if (t > maxSeconds && t <= kReaderEndTimeLimit) return false;
  }
  return true;
}

void Fail(const char* format, ...) {
  char message[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(message, sizeof message, format, args);
  va_end(args);
  // Through the sanitizers' report channel: it stays open when libFuzzer's
  // -close_fd_mask silences the program's standard error.
  __sanitizer_report_error_summary(message);
  std::abort();
}

}  // namespace fuzzutil
