#include "output/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const size_t kWriteBuffer = 1 << 16;

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

bool TSafeFile::Open(const std::string& target, std::string& error) {
  Discard();
  if (target.empty()) {
    error = "no file name given";
    return false;
  }
  target_ = target;
  mode_t mode;
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) {
    // An existing file must be one we may write, as a plain open would
    // require. A link is followed: the file it names is replaced.
    if (!S_ISREG(st.st_mode)) {
      error = "not a regular file";
      return false;
    }
    int fd = ::open(target.c_str(), O_WRONLY);
    if (fd < 0) {
      error = std::strerror(errno);
      return false;
    }
    ::close(fd);
    char resolved[PATH_MAX];
    if (::realpath(target.c_str(), resolved) != nullptr) target_ = resolved;
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }

  std::string pattern = FolderOf(target_) + "/.ConvertD-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  temp_ = name.data();
  if (::fchmod(fd, mode) != 0 || (file_ = ::fdopen(fd, "w")) == nullptr) {
    error = std::strerror(errno);
    ::close(fd);
    ::unlink(temp_.c_str());
    temp_.clear();
    return false;
  }
  std::setvbuf(file_, nullptr, _IOFBF, kWriteBuffer);
  return true;
}

bool TSafeFile::Write(const char* data, size_t len) {
  return std::fwrite(data, 1, len, file_) == len;
}

bool TSafeFile::Commit(std::string& error) {
  bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
  if (!ok) error = std::strerror(errno);
  if (std::fclose(file_) != 0 && ok) {
    ok = false;
    error = std::strerror(errno);
  }
  file_ = nullptr;
  if (ok && std::rename(temp_.c_str(), target_.c_str()) != 0) {
    ok = false;
    error = std::strerror(errno);
  }
  if (!ok) {
    ::unlink(temp_.c_str());
  }
  temp_.clear();
  return ok;
}

void TSafeFile::Discard() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  if (!temp_.empty()) {
    ::unlink(temp_.c_str());
    temp_.clear();
  }
}
