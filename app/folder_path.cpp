#include "app/folder_path.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace linkmoor {

namespace {

bool isFolder(const std::string &path) {
  std::error_code error;
  return std::filesystem::is_directory(path.empty() ? std::string("/") : path, error);
}

bool exists(const std::string &path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

} // namespace

bool createFolderPath(const std::string &original) {
  std::string path = original;
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.empty()) return false;
  std::size_t slash = path.find('/');
  // The first component must be there: the root for "/...", else a folder that exists.
  const std::string first = path.substr(0, slash);
  if (!isFolder(first)) return false;
  if (slash == std::string::npos) return true;
  while (slash != std::string::npos) {
    const std::size_t next = path.find('/', slash + 1);
    const std::size_t end = next == std::string::npos ? path.size() : next;
    if (end > slash + 1) {
      const std::string prefix = path.substr(0, end);
      if (exists(prefix)) {
        if (!isFolder(prefix)) return false;
      } else {
        std::error_code error;
        if (!std::filesystem::create_directory(prefix, error)) return false;
      }
    }
    slash = next;
  }
  return true;
}

} // namespace linkmoor
