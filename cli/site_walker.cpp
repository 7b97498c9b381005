#include "cli/site_walker.h"

#include <algorithm>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>

namespace linkmoor::cli {

bool isHtmlPageName(const std::string &path) {
  std::string_view name(path);
  if (auto slash = name.rfind('/'); slash != std::string_view::npos) name.remove_prefix(slash + 1);
  auto dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string ext(name.substr(dot + 1));
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  });
  return ext == "htm" || ext == "html";
}

namespace {

bool walk(const std::string &root, const std::string &relative, std::vector<std::string> &out,
          std::vector<std::string> *unreadable) {
  std::string folder = relative.empty() ? root : root + "/" + relative;
  DIR *dir = opendir(folder.c_str());
  if (!dir) return false;
  std::vector<std::string> folders, files;
  while (dirent *entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info {};
    if (lstat((folder + "/" + name).c_str(), &info) != 0) continue;
    if (S_ISDIR(info.st_mode))
      folders.push_back(name);
    else if (isHtmlPageName(name))
      files.push_back(name);
  }
  closedir(dir);
  std::sort(folders.begin(), folders.end());
  std::sort(files.begin(), files.end());
  for (const std::string &name : folders) {
    const std::string sub = relative.empty() ? name : relative + "/" + name;
    if (!walk(root, sub, out, unreadable) && unreadable) unreadable->push_back(sub);
  }
  for (const std::string &name : files)
    out.push_back(relative.empty() ? name : relative + "/" + name);
  return true;
}

} // namespace

std::vector<std::string> listSitePages(const std::string &root, bool &ok,
                                       std::vector<std::string> *unreadable) {
  std::vector<std::string> pages;
  ok = walk(root, "", pages, unreadable);
  return pages;
}

} // namespace linkmoor::cli
