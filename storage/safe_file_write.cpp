#include "storage/safe_file_write.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace linkmoor {

namespace {

std::function<void(const std::string &)> &temporaryFileHook() {
  static std::function<void(const std::string &)> hook;
  return hook;
}

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

// Opens a new file "<prefix><6 random characters>" for writing with `mode`.
int createUnique(const std::string &prefix, mode_t mode, std::string &created) {
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> pick(0, sizeof kChars - 2);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = prefix;
    for (int i = 0; i < 6; ++i)
      name += kChars[pick(random)];
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      created = std::move(name);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

// "<folder>/.<base>." beside the target.
std::string temporaryPrefix(const std::string &target) {
  std::string prefix = folderOf(target);
  if (prefix != "/") prefix += '/';
  return prefix + '.' + baseOf(target).substr(0, kMaxBaseInTempName) + '.';
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

bool readAll(const std::string &path, std::string &bytes) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  bytes.clear();
  char block[65536];
  for (;;) {
    const ssize_t got = read(fd, block, sizeof block);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      close(fd);
      return false;
    }
    if (got == 0) break;
    bytes.append(block, static_cast<std::size_t>(got));
  }
  close(fd);
  return true;
}

// Makes a rename itself durable; a failure here loses nothing already done.
void syncFolder(const std::string &folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool inMyGroups(gid_t group) {
  if (group == getegid()) return true;
  const int count = getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<std::size_t>(count));
  const int got = getgroups(count, groups.data());
  for (int i = 0; i < got; ++i)
    if (groups[static_cast<std::size_t>(i)] == group) return true;
  return false;
}

// A rename keeps what matters of the old file only under these conditions.
bool renameIsSafe(const std::string &target, const struct stat &old) {
  if (old.st_nlink != 1) return false;
  if (access(folderOf(target).c_str(), W_OK) != 0) return false;
  if (geteuid() == 0) return true;
  return old.st_uid == geteuid() && inMyGroups(old.st_gid);
}

// Writes through a temporary file and a rename. `old` is null for a new file.
WriteOutcome writeByRename(const std::string &target, std::string_view bytes,
                           const struct stat *old, mode_t newFileMode, mode_t modeMask) {
  std::string tempPath;
  // Created with the old file's own mode (the umask can only narrow it), so
  // the new bytes are never more widely readable, not even for a moment.
  const mode_t mode = old ? (old->st_mode & modeMask & 0777) : (newFileMode & 0777);
  const int fd = createUnique(temporaryPrefix(target), mode, tempPath);
  if (fd < 0) return WriteOutcome::NotOpened;
  if (temporaryFileHook()) temporaryFileHook()(tempPath);
  bool ok = writeAll(fd, bytes);
  if (ok && old) {
    // The group may differ from the writer's; a change of owner or group
    // clears set-id bits, so the mode is set after it.
    if (old->st_uid != geteuid() || old->st_gid != getegid())
      ok = fchown(fd, old->st_uid, old->st_gid) == 0;
    if (ok) ok = fchmod(fd, old->st_mode & modeMask & 07777) == 0;
  }
  if (ok) ok = fsync(fd) == 0;
  if (close(fd) != 0) ok = false;
  if (ok) ok = rename(tempPath.c_str(), target.c_str()) == 0;
  if (!ok) {
    unlink(tempPath.c_str());
    return WriteOutcome::Failed;
  }
  syncFolder(folderOf(target));
  return WriteOutcome::Written;
}

bool makeFolders(const std::string &path) {
  if (path.empty()) return false;
  struct stat info;
  if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  const std::string parent = folderOf(path);
  if (parent != path && parent != "." && parent != "/" && !makeFolders(parent)) return false;
  return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

// Puts `bytes` over the content of the open file and flushes them.
bool overwrite(int fd, std::string_view bytes) {
  return lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes) &&
         ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
}

// Keeps the file's inode: backup of the old bytes, then an overwrite in place.
WriteOutcome writeInPlace(const std::string &target, std::string_view bytes, mode_t oldMode,
                          mode_t modeMask) {
  const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return WriteOutcome::NotOpened;
  // Narrowing first, before the new bytes are in; only the owner may, and a
  // refusal leaves the mode the file had.
  if ((oldMode & modeMask & 07777) != (oldMode & 07777)) {
    const int ignored = fchmod(fd, oldMode & modeMask & 07777);
    (void)ignored;
  }
  std::string oldBytes;
  const std::string folder = backupFolderPath();
  std::string backupPath;
  int backup = -1;
  if (readAll(target, oldBytes) && makeFolders(folder))
    backup = createUnique(folder + "/" + baseOf(target).substr(0, kMaxBaseInTempName) + ".backup.",
                          0600, backupPath);
  bool saved = backup >= 0 && writeAll(backup, oldBytes) && fsync(backup) == 0;
  if (backup >= 0 && close(backup) != 0) saved = false;
  if (!saved) {
    // Without a copy on the disk the page is not touched.
    if (!backupPath.empty()) unlink(backupPath.c_str());
    close(fd);
    return WriteOutcome::Failed;
  }
  const bool written = overwrite(fd, bytes);
  const bool restored = written || overwrite(fd, oldBytes);
  close(fd);
  if (restored) unlink(backupPath.c_str());
  return written ? WriteOutcome::Written : WriteOutcome::Failed;
}

} // namespace

void setTemporaryFileHook(std::function<void(const std::string &)> hook) {
  temporaryFileHook() = std::move(hook);
}

std::string backupFolderPath() {
  const char *cache = std::getenv("XDG_CACHE_HOME");
  if (cache && *cache == '/') return std::string(cache) + "/linkmoor";
  const char *home = std::getenv("HOME");
  if (home && *home) return std::string(home) + "/.cache/linkmoor";
  return std::string();
}

WriteOutcome writeFileSafely(const std::string &path, std::string_view bytes, mode_t newFileMode,
                             mode_t modeMask) {
  if (path.empty()) return WriteOutcome::NotOpened;
  const std::string target = resolveTarget(path);
  struct stat old;
  if (stat(target.c_str(), &old) != 0) {
    if (errno != ENOENT) return WriteOutcome::NotOpened;
    return writeByRename(target, bytes, nullptr, newFileMode, modeMask);
  }
  if (!S_ISREG(old.st_mode)) return WriteOutcome::NotOpened;
  if (access(target.c_str(), W_OK) != 0) return WriteOutcome::NotOpened; // write-protected
  if (renameIsSafe(target, old)) {
    const WriteOutcome renamed = writeByRename(target, bytes, &old, newFileMode, modeMask);
    if (renamed != WriteOutcome::NotOpened) return renamed;
  }
  return writeInPlace(target, bytes, old.st_mode, modeMask);
}

} // namespace linkmoor
