// TCommFun's file helpers and the standard-error line of the readers.
#include <sys/stat.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "input/CommFun.h"

TCommFun* CommFun = nullptr;

namespace {
// The longest pattern, 10,000,000 s at one line a second, is a few hundred
// megabytes; anything beyond this is not an input file.
const unsigned long long kMaxInputFile = 2ull << 30;
}  // namespace

bool TCommFun::FileExists(const std::string& name) {
  FILE* file = std::fopen(name.c_str(), "r");
  if (file == nullptr || std::ferror(file)) {
    if (file != nullptr) std::fclose(file);
    std::printf("File Not Found. [%s]\n", name.c_str());
    std::fflush(stdout);
    return false;
  }
  std::fclose(file);
  return true;
}

bool TCommFun::ReadWholeFile(const std::string& name, std::string& content,
                             std::string& errorText) {
  content.clear();
  FILE* file = std::fopen(name.c_str(), "rb");
  if (file == nullptr) {
    errorText = std::strerror(errno);
    return false;
  }
  // A folder or a device is no input file: reading /dev/zero would never
  // end.
  struct stat st;
  if (::fstat(::fileno(file), &st) == 0 &&
      (S_ISDIR(st.st_mode) || S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))) {
    errorText = S_ISDIR(st.st_mode) ? "a folder, not a file" : "a device, not a file";
    std::fclose(file);
    return false;
  }
  // Room for the whole file at once: a long pattern is megabytes, and a
  // text grown chunk by chunk takes up twice that on the way.
  if (S_ISREG(st.st_mode) && st.st_size > 0 &&
      static_cast<unsigned long long>(st.st_size) <= kMaxInputFile)
    content.reserve(static_cast<size_t>(st.st_size));
  char chunk[1 << 16];
  size_t got;
  bool tooLarge = false;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    if (content.size() + got > kMaxInputFile) {
      tooLarge = true;
      break;
    }
    content.append(chunk, got);
  }
  bool failed = std::ferror(file) != 0;
  if (failed) errorText = std::strerror(errno);
  if (tooLarge) {
    failed = true;
    errorText = "larger than 2 GiB, more than any input of a conversion";
    content.clear();
  }
  std::fclose(file);
  return !failed;
}

bool TCommFun::NextLine(const std::string& buf, size_t& pos, size_t bufferSize,
                        std::string_view& line) {
  if (pos >= buf.size()) return false;
  size_t limit = bufferSize - 1;
  size_t rest = buf.size() - pos;
  if (rest < limit) limit = rest;
  const char* start = buf.data() + pos;
  const void* lf = std::memchr(start, '\n', limit);
  size_t len = lf ? static_cast<const char*>(lf) - start + 1 : limit;
  line = std::string_view(start, len);
  pos += len;
  return true;
}

bool TCommFun::SameFile(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  if (a.empty() || b.empty()) return false;
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void TCommFun::ErrorLine(const char* format, ...) {
  std::fflush(stdout);
  std::fputs("ConvertD: ", stderr);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

std::string TCommFun::Quote(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  std::string out = "\"";
  size_t shown = 0;
  for (char c : text) {
    if (shown == 40) {
      out += "...";
      break;
    }
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", u);
      out += hex;
    } else {
      out += c;
    }
    ++shown;
  }
  out += "\"";
  return out;
}
