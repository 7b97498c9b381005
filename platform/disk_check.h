#pragma once
// Checks whether a link target on disk exists: a path, or a file URL.

#include <string>

struct stat;

namespace linkmoor {

/// The file-system calls of the disk check; a test hands in its own to count them.
/// Each returns what the system call of its name returns (0, or -1 with errno set).
struct DiskProbe {
  /// faccessat(AT_FDCWD, path, R_OK, AT_EACCESS): exists (links followed) and may be read.
  int (*readable)(const char *path);
  /// stat(path, info).
  int (*stat)(const char *path, struct stat *info);
  /// open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC).
  int (*open)(const char *path);
  /// fstat(fd, info).
  int (*fstat)(int fd, struct stat *info);
};

/// The probe that makes the real system calls.
const DiskProbe &systemDiskProbe();

/// True when `pathOrFileUrl` names a file or folder that this process may read.
/// Accepts a plain path (taken literally, no decoding) or a `file:` URL: `file:///home/x`,
/// `file://localhost/home/x` or `file:/home/x` (scheme and host in any letter case), whose
/// `%XX` escapes are decoded; a URL naming another host is not found. Decoding character
/// references (`&amp;`) and cutting a `#` or `?` part off the target are the caller's work,
/// since a file name may contain those characters. Never blocks: nothing is opened, FIFOs,
/// devices and sockets count as found when their permissions allow reading.
bool diskTargetExists(const std::string &pathOrFileUrl);

/// The same test for a plain path, taken literally even when it begins with "file:".
/// One call answers it: whether the path exists and its permissions let this process
/// read it (nothing is opened). Only when that call fails for another reason than a
/// missing name or a denied permission (a sandbox that refuses it, say) is the path
/// looked at and opened instead.
bool diskPathExists(const std::string &path, const DiskProbe &probe = systemDiskProbe());

} // namespace linkmoor
