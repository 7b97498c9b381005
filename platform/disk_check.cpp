#include "platform/disk_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <strings.h>

namespace linkmoor {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decodes %XX escapes; a '%' not followed by two hex digits stays as it is.
std::string percentDecoded(const std::string &text) {
  std::string result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
        hexValue(text[i + 2]) >= 0) {
      result += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      result += text[i];
    }
  }
  return result;
}

bool startsWithNoCase(const std::string &text, const char *prefix) {
  size_t length = std::char_traits<char>::length(prefix);
  return text.size() >= length && strncasecmp(text.c_str(), prefix, length) == 0;
}

// The local path a file URL names; false when it names another host or no path.
bool pathOfFileUrl(const std::string &url, std::string &path) {
  std::string rest = url.substr(5); // after "file:"
  if (rest.compare(0, 2, "//") == 0) {
    size_t pathStart = rest.find('/', 2);
    if (pathStart == std::string::npos) return false;
    std::string host = rest.substr(2, pathStart - 2);
    if (!host.empty() && strcasecmp(host.c_str(), "localhost") != 0) return false;
    rest = rest.substr(pathStart);
  }
  if (rest.empty() || rest[0] != '/') return false;
  path = percentDecoded(rest);
  return true;
}

bool isOpenableKind(mode_t mode) { return S_ISREG(mode) || S_ISDIR(mode); }

int systemReadable(const char *path) { return faccessat(AT_FDCWD, path, R_OK, AT_EACCESS); }
int systemStat(const char *path, struct stat *info) { return stat(path, info); }
int systemOpen(const char *path) {
  int fd;
  do {
    fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return fd;
}
int systemFstat(int fd, struct stat *info) { return fstat(fd, info); }

// The check by opening, for when the permission test itself could not be made.
bool openedForReading(const std::string &path, const DiskProbe &probe) {
  struct stat info {};
  if (probe.stat(path.c_str(), &info) != 0) return false;
  // Opening a FIFO can block and opening a device can act on it (a watchdog starts
  // counting, a tape rewinds): such targets are judged by their permissions alone.
  if (!isOpenableKind(info.st_mode)) return false;
  const int fd = probe.open(path.c_str());
  if (fd < 0) return false;
  // The name may have been swapped for something else since the stat.
  const bool found = probe.fstat(fd, &info) == 0 && isOpenableKind(info.st_mode);
  close(fd);
  return found;
}

} // namespace

const DiskProbe &systemDiskProbe() {
  static const DiskProbe probe{systemReadable, systemStat, systemOpen, systemFstat};
  return probe;
}

bool diskTargetExists(const std::string &pathOrFileUrl) {
  std::string path = pathOrFileUrl;
  if (startsWithNoCase(pathOrFileUrl, "file:") && !pathOfFileUrl(pathOrFileUrl, path)) return false;
  return diskPathExists(path);
}

bool diskPathExists(const std::string &path, const DiskProbe &probe) {
  if (path.empty() || path.find('\0') != std::string::npos) return false;

  // The permission test follows links and never opens the target, so a FIFO cannot
  // block and a device is not acted on; it answers what an open for reading would,
  // in one call instead of a stat, an open, an fstat and a close.
  if (probe.readable(path.c_str()) == 0) return true;
  switch (errno) {
  case ENOENT:
  case ENOTDIR:
  case EACCES:
  case ELOOP:
  case ENAMETOOLONG:
    return false;
  default:
    break;
  }
  return openedForReading(path, probe);
}

} // namespace linkmoor
