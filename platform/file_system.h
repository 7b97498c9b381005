#pragma once
// Folder listing, the executable's path and whole-file operations over POSIX.
// Paths are 8-bit texts with "/" separators.

#include <string>
#include <vector>

namespace linkmoor {

/// One entry of a folder listing.
struct FolderEntry {
  std::string name;         ///< the entry's name, without any folder part
  bool isDirectory = false; ///< a directory; a symbolic link never counts as one
};

/// Appends the entries of `folder` ("." and ".." included, in the order the
/// system gives them) to `entries`. Returns false when the folder cannot be
/// opened; `entries` is then unchanged.
bool listFolder(const std::string &folder, std::vector<FolderEntry> &entries);

/// Full path of the running executable (from /proc/self/exe), or the empty
/// text when the system cannot tell.
std::string executablePath();

/// `path` with every symbolic link resolved, or `path` itself when it cannot
/// be resolved (for example, because it does not exist).
std::string resolvedPath(const std::string &path);

/// Renames `from` to `to`, replacing a file named `to` in one step.
bool renameReplacing(const std::string &from, const std::string &to);
/// Deletes the file `path` (not a directory).
bool removeFile(const std::string &path);
/// Creates the directory `path` (mode 0777 less the umask); its parent must exist.
bool makeFolder(const std::string &path);
/// Removes the empty directory `path`.
bool removeFolder(const std::string &path);

} // namespace linkmoor
