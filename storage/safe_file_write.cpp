#include "storage/safe_file_write.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace linkmoor {

namespace {

// Keeps the temporary name within the system's limit for one name.
constexpr std::size_t kMaxBaseInTempName = 200;
constexpr int kNameAttempts = 100;

std::string folderOf(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string baseOf(const std::string &path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write to `path` must replace: the target of a symbolic link,
// else `path` itself.
std::string resolveTarget(const std::string &path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char *resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return path; // a dangling link: the write replaces the link itself
  std::string target = resolved;
  std::free(resolved);
  return target;
}

// Opens a new file "<folder>/.<base>.<6 random characters>" for writing.
int createTemporary(const std::string &target, std::string &tempPath) {
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> pick(0, sizeof kChars - 2);
  std::string prefix = folderOf(target);
  if (prefix != "/") prefix += '/';
  prefix += '.';
  prefix += baseOf(target).substr(0, kMaxBaseInTempName);
  prefix += '.';
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = prefix;
    for (int i = 0; i < 6; ++i)
      name += kChars[pick(random)];
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      tempPath = std::move(name);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

bool writeAll(int fd, std::string_view bytes) {
  const char *data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t written = write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  return true;
}

// Makes the rename itself durable; a failure here loses nothing already done.
void syncFolder(const std::string &folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

} // namespace

bool writeFileAtomically(const std::string &path, std::string_view bytes) {
  if (path.empty()) return false;
  const std::string target = resolveTarget(path);

  struct stat old;
  bool exists = false;
  if (stat(target.c_str(), &old) == 0) {
    if (!S_ISREG(old.st_mode)) return false;
    if (access(target.c_str(), W_OK) != 0) return false; // respect a write-protected file
    exists = true;
  } else if (errno != ENOENT) {
    return false;
  }

  std::string tempPath;
  const int fd = createTemporary(target, tempPath);
  if (fd < 0) return false;

  bool ok = writeAll(fd, bytes);
  if (ok && exists) {
    // Only a privileged user may give the file away, so a refused change of
    // owner is no failure. It goes first: a change of owner clears set-id bits.
    if (old.st_uid != geteuid() || old.st_gid != getegid()) {
      const int ignored = fchown(fd, old.st_uid, old.st_gid);
      (void)ignored;
    }
    ok = fchmod(fd, old.st_mode & 07777) == 0;
  }
  if (ok) ok = fsync(fd) == 0;
  if (close(fd) != 0) ok = false;
  if (ok) ok = rename(tempPath.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(tempPath.c_str());
    return false;
  }
  syncFolder(folderOf(target));
  return true;
}

} // namespace linkmoor
