#include "platform/local_folders.h"

#include "platform/file_system.h"
#include "platform/replacing_file.h"

#include <sys/stat.h>
#include <vector>

namespace linkmoor {

namespace {

bool entryExists(const std::string &path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

bool isDots(const std::string &name) { return name == "." || name == ".."; }

} // namespace

bool makeMirrorFolders(const std::string &localFolder, const std::string &remotePath) {
  const std::size_t last = remotePath.rfind('/');
  if (last == std::string::npos || last == 0) return true;
  const std::string folders = remotePath.substr(0, last) + "/";
  std::size_t start = 0;
  for (std::size_t slash = folders.find('/'); slash != std::string::npos;
       slash = folders.find('/', slash + 1)) {
    if (folders.compare(start, slash - start, "..") == 0 && slash - start == 2) return false;
    start = slash + 1;
    const std::string candidate = localFolder + "/" + folders.substr(0, slash);
    if (entryExists(candidate)) continue;
    if (!makeFolder(candidate)) return false;
  }
  return true;
}

bool isFolderEmpty(const std::string &folder) {
  std::vector<FolderEntry> entries;
  if (!listFolder(folder, entries)) return true;
  for (const FolderEntry &entry : entries) {
    if (!isDots(entry.name)) return false;
  }
  return true;
}

void clearFolder(const std::string &folder) {
  std::vector<FolderEntry> entries;
  if (!listFolder(folder, entries)) return;
  for (const FolderEntry &entry : entries) {
    if (isDots(entry.name)) continue;
    const std::string path = folder + "/" + entry.name;
    if (entry.isDirectory) {
      clearFolder(path);
      removeFolder(path);
    } else {
      removeFile(path);
    }
  }
}

bool writeTextFile(const std::string &path, const std::string &text) {
  ReplacingFile file;
  if (!file.open(path)) return false;
  if (!file.write(text.data(), text.size())) return false;
  return file.commit();
}

std::string withTrailingSlash(const std::string &path) {
  if (path.empty() || path.back() != '/') return path + "/";
  return path;
}

} // namespace linkmoor
