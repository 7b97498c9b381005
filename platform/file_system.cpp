#include "platform/file_system.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace linkmoor {

bool listFolder(const std::string &folder, std::vector<FolderEntry> &entries) {
  DIR *dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return false;
  std::vector<FolderEntry> found;
  while (dirent *entry = readdir(dir)) {
    FolderEntry item;
    item.name = entry->d_name;
    if (entry->d_type == DT_UNKNOWN) {
      // Some file systems leave the type open; ask without following links.
      struct stat info {};
      item.isDirectory = fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                         S_ISDIR(info.st_mode);
    } else {
      item.isDirectory = entry->d_type == DT_DIR;
    }
    found.push_back(std::move(item));
  }
  closedir(dir);
  entries.insert(entries.end(), found.begin(), found.end());
  return true;
}

std::string executablePath() {
  std::string buffer(256, '\0');
  for (;;) {
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return std::string();
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      return buffer;
    }
    if (buffer.size() >= 65536) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

std::string resolvedPath(const std::string &path) {
  char *resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string result(resolved);
  free(resolved);
  return result;
}

bool renameReplacing(const std::string &from, const std::string &to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool removeFile(const std::string &path) { return unlink(path.c_str()) == 0; }

bool makeFolder(const std::string &path) { return mkdir(path.c_str(), 0777) == 0; }

bool removeFolder(const std::string &path) { return rmdir(path.c_str()) == 0; }

} // namespace linkmoor
