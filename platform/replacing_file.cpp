#include "platform/replacing_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace linkmoor {

namespace {

mode_t defaultMode() {
  // umask can only be read by setting it; set it back at once.
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return 0666 & ~mask;
}

} // namespace

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::open(const std::string &target) {
  discard();
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return false;
  const std::size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
  std::string pattern = folder + (slash == std::string::npos ? "/" : "") + ".linkmoor-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return false;
  fd_ = fd;
  target_ = target;
  temporary_ = name.data();
  return true;
}

bool ReplacingFile::write(const char *data, std::size_t size) {
  if (fd_ < 0) return false;
  while (size > 0) {
    const std::size_t chunk = size < 1024 ? size : 1024;
    ssize_t written = ::write(fd_, data, chunk);
    if (written < 0 && errno == EINTR) continue;
    if (written != static_cast<ssize_t>(chunk)) return false;
    data += chunk;
    size -= chunk;
  }
  return true;
}

bool ReplacingFile::commit() {
  if (fd_ < 0) return false;
  struct stat old {};
  const mode_t mode = ::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode)
                          ? (old.st_mode & 07777)
                          : defaultMode();
  bool ok = ::fchmod(fd_, mode) == 0;
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  ok = ok && std::rename(temporary_.c_str(), target_.c_str()) == 0;
  if (ok) {
    temporary_.clear();
    return true;
  }
  discard();
  return false;
}

void ReplacingFile::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

} // namespace linkmoor
