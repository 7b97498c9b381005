#include "storage/site_walk.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace linkmoor {

namespace {

using FolderId = std::pair<dev_t, ino_t>;

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool caselessLess(const std::string &a, const std::string &b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(asciiLower(a[i]));
    const auto y = static_cast<unsigned char>(asciiLower(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

// The real path of what the descriptor refers to, as the kernel names it.
bool realPathOf(int fd, std::string &path) {
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = readlink(link.c_str(), buffer.data(), buffer.size());
    if (length < 0) return false;
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      path = std::move(buffer);
      return true;
    }
    buffer.resize(buffer.size() * 2);
  }
}

bool liesInside(const std::string &path, const std::string &root) {
  if (root == "/") return true;
  return path == root || (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
                          path[root.size()] == '/');
}

class Walker {
public:
  Walker(WalkOrder order, std::string realRoot, WalkCounts &counts)
      : order_(order), realRoot_(std::move(realRoot)), counts_(counts) {}

  // Lists the folder open at `fd` (which this call closes) into `folder`.
  void walk(int fd, WalkEntry &folder) {
    struct stat self {};
    if (fstat(fd, &self) == 0) path_.emplace_back(self.st_dev, self.st_ino);
    std::vector<ListedName> names;
    if (!listNames(fd, names)) folder.readable = false;
    std::vector<WalkEntry> folders, others;
    others.reserve(names.size());
    // Once one entry could be looked at, the folder may be searched: a name the
    // listing gives as a plain file (no link, no folder) then needs no stat.
    bool searchable = false;
    for (ListedName &listed : names) {
      WalkEntry entry;
      entry.name = std::move(listed.name);
      if (searchable && listed.type == DT_REG) {
        others.push_back(std::move(entry));
        continue;
      }
      if (!lookAt(fd, entry, searchable)) continue;
      (entry.kind == WalkKind::Folder ? folders : others).push_back(std::move(entry));
    }
    sortByName(folders);
    sortByName(others);
    for (WalkEntry &sub : folders) {
      if (sub.loop) continue;
      const int subFd = openat(fd, sub.name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (subFd < 0) {
        sub.readable = false;
        continue;
      }
      walk(subFd, sub);
    }
    close(fd);
    if (!path_.empty()) path_.pop_back();
    folder.children = std::move(folders);
    for (WalkEntry &other : others)
      folder.children.push_back(std::move(other));
  }

private:
  struct ListedName {
    std::string name;
    unsigned char type; // d_type: DT_UNKNOWN when the file system does not tell
  };

  static bool listNames(int fd, std::vector<ListedName> &names) {
    const int copy = dup(fd);
    if (copy < 0) return false;
    DIR *dir = fdopendir(copy);
    if (!dir) {
      close(copy);
      return false;
    }
    while (dirent *entry = readdir(dir)) {
      const std::string_view name = entry->d_name;
      if (name != "." && name != "..") names.push_back({std::string(name), entry->d_type});
    }
    closedir(dir);
    return true;
  }

  // Sets the entry's kind; false when the entry is left out of the walk.
  // `looked` turns true when the entry's own stat could be made.
  bool lookAt(int fd, WalkEntry &entry, bool &looked) {
    struct stat own {};
    ++counts_.lookups;
    if (fstatat(fd, entry.name.c_str(), &own, AT_SYMLINK_NOFOLLOW) != 0) {
      entry.kind = WalkKind::Unreadable;
      return true;
    }
    looked = true;
    struct stat info = own;
    if (S_ISLNK(own.st_mode)) {
      entry.link = true;
      if (fstatat(fd, entry.name.c_str(), &info, 0) != 0) {
        entry.kind = WalkKind::File;
        entry.dangling = true;
        return true;
      }
      if (!targetInsideRoot(fd, entry.name)) return false;
    }
    if (!S_ISDIR(info.st_mode)) {
      entry.kind = WalkKind::File;
      return true;
    }
    entry.kind = WalkKind::Folder;
    entry.loop =
        std::find(path_.begin(), path_.end(), FolderId(info.st_dev, info.st_ino)) != path_.end();
    return true;
  }

  bool targetInsideRoot(int fd, const std::string &name) const {
    const int target = openat(fd, name.c_str(), O_PATH | O_CLOEXEC);
    if (target < 0) return false;
    std::string real;
    const bool known = realPathOf(target, real);
    close(target);
    return known && liesInside(real, realRoot_);
  }

  void sortByName(std::vector<WalkEntry> &entries) const {
    std::sort(entries.begin(), entries.end(), [this](const WalkEntry &a, const WalkEntry &b) {
      return order_ == WalkOrder::Bytes ? a.name < b.name : caselessLess(a.name, b.name);
    });
  }

  WalkOrder order_;
  std::string realRoot_;
  std::vector<FolderId> path_;
  WalkCounts &counts_;
};

} // namespace

bool walkSiteFolder(const std::string &root, WalkOrder order, WalkEntry &top, WalkCounts *counts) {
  WalkCounts ignored;
  top = WalkEntry();
  top.name = root;
  top.kind = WalkKind::Folder;
  const int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  std::string realRoot;
  if (fd < 0 || !realPathOf(fd, realRoot)) {
    if (fd >= 0) close(fd);
    top.readable = false;
    return false;
  }
  Walker walker(order, realRoot, counts ? *counts : ignored);
  walker.walk(fd, top);
  return true;
}

} // namespace linkmoor
