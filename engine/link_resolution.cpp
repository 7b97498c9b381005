#include "engine/link_resolution.h"

#include "engine/relative_path.h"
#include "engine/text_bounds.h"

#include <algorithm>
#include <strings.h>

namespace linkmoor {

namespace {

// The page's folder relative to the first `skip` bytes of its full folder, with
// a "/" appended: just "/" when nothing is left.
std::string relativeFolder(const std::string &pageFolder, std::size_t skip) {
  std::string folder = pageFolder.size() > skip ? pageFolder.substr(skip) : std::string();
  folder += '/';
  return folder;
}

bool beginsWithFileScheme(std::string_view value) {
  while (!value.empty() && scantext::isBlank(value.front()))
    value.remove_prefix(1);
  constexpr std::string_view scheme = "file://";
  return value.size() >= scheme.size() &&
         strncasecmp(value.data(), scheme.data(), scheme.size()) == 0;
}

bool namesHost(std::string_view value, const std::string &host) {
  const std::size_t mark = value.find("://");
  if (mark == std::string_view::npos) return false;
  const std::string_view rest = value.substr(mark + 3);
  if (!rest.starts_with(host)) return false;
  return rest.size() == host.size() || rest[host.size()] == '/';
}

} // namespace

std::string linkValue(const char *text, const char *end, const LinkRecord &link) {
  const std::int32_t length = scantext::bufferLength(text, end);
  std::int32_t from = std::clamp(link.valueStart, 0, length);
  const std::int32_t to = std::clamp(link.valueEnd, 0, length);
  if (from < to && (text[from] == '"' || text[from] == '\'')) ++from;
  if (from >= to) return {};
  return std::string(text + from, static_cast<std::size_t>(to - from));
}

std::string collapseSlashes(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (char c : path)
    if (c != '/' || out.empty() || out.back() != '/') out += c;
  return out;
}

void resolveLocal(LinkList &links, const char *text, const char *end,
                  const std::string &pageFolder, const std::string &pageName,
                  const std::string &rootPath) {
  const std::string base = relativeFolder(pageFolder, rootPath.size());
  for (const auto &link : links) {
    if (!link) continue;
    if (link->type == LinkType::Remote) {
      link->target = linkValue(text, end, *link);
      if (beginsWithFileScheme(link->target)) link->type = LinkType::Site;
    } else if (link->type == LinkType::Local) {
      const std::string value = linkValue(text, end, *link);
      link->target = collapseSlashes(rootPath + "/" + resolveRelative(base, pageName, value));
    }
  }
}

void resolveRemote(LinkList &links, const char *text, const char *end,
                   const std::string &pageFolder, const std::string &pageName,
                   const std::string &downloadFolder, const std::string &subdomainPath,
                   const std::string &subdomainName) {
  const std::string base =
      relativeFolder(pageFolder, downloadFolder.size() + subdomainPath.size());
  for (const auto &link : links) {
    if (!link) continue;
    if (link->type == LinkType::Remote) {
      link->target = linkValue(text, end, *link);
      if (namesHost(link->target, subdomainName)) link->type = LinkType::Site;
    } else if (link->type == LinkType::Local) {
      const std::string value = linkValue(text, end, *link);
      link->target = "http://" + collapseSlashes(subdomainName + "/" +
                                                 resolveRelative(base, pageName, value));
    }
  }
}

} // namespace linkmoor
