#include "cli/site_walker.h"

#include "storage/site_walk.h"

#include <algorithm>
#include <string_view>

namespace linkmoor::cli {

using linkmoor::WalkEntry;
using linkmoor::WalkKind;
using linkmoor::WalkOrder;

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

void collect(const WalkEntry &folder, const std::string &relative, std::vector<std::string> &out,
             std::vector<std::string> *unreadable) {
  auto pathOf = [&](const WalkEntry &entry) {
    return relative.empty() ? entry.name : relative + "/" + entry.name;
  };
  auto report = [&](const std::string &path) {
    out.push_back(path);
    if (unreadable) unreadable->push_back(path);
  };
  for (const WalkEntry &entry : folder.children) {
    switch (entry.kind) {
    case WalkKind::Folder:
      if (entry.loop) break;
      if (!entry.readable) report(pathOf(entry));
      collect(entry, pathOf(entry), out, unreadable);
      break;
    case WalkKind::Unreadable:
      report(pathOf(entry));
      break;
    case WalkKind::File:
      if (isHtmlPageName(entry.name)) out.push_back(pathOf(entry));
      break;
    }
  }
}

} // namespace

std::vector<std::string> listSitePages(const std::string &root, bool &ok,
                                       std::vector<std::string> *unreadable) {
  std::vector<std::string> pages;
  WalkEntry top;
  ok = walkSiteFolder(root, WalkOrder::Bytes, top);
  if (ok) collect(top, "", pages, unreadable);
  return pages;
}

} // namespace linkmoor::cli
