#include "engine/link_resolution.h"

#include "engine/relative_path.h"
#include "engine/text_bounds.h"

#include <algorithm>
#include <strings.h>
#include <vector>

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

// Where the query or anchor of `path` starts (its size when it has none). A plain
// loop: find_first_of calls memchr once per character of the text.
std::size_t queryOrAnchor(const std::string &path) {
  for (std::size_t i = 0; i < path.size(); ++i)
    if (path[i] == '?' || path[i] == '#') return i;
  return path.size();
}

// A path relative to the site root with its "." and ".." steps taken, never above
// the root (as a browser resolves it); the part from a "?" or "#" stays as it is.
std::string withinRoot(const std::string &path) {
  const std::size_t tail = queryOrAnchor(path);
  const std::string_view steps(path.data(), tail);
  std::vector<std::string_view> kept;
  bool endsInFolder = false;
  std::size_t from = 0;
  for (;;) {
    const std::size_t slash = std::min(steps.find('/', from), steps.size());
    const std::string_view step = steps.substr(from, slash - from);
    endsInFolder = step.empty() || step == "." || step == "..";
    if (step == "..") {
      if (!kept.empty()) kept.pop_back();
    } else if (!step.empty() && step != ".") {
      kept.push_back(step);
    }
    if (slash == steps.size()) break;
    from = slash + 1;
  }
  std::string out = steps.starts_with('/') ? "/" : "";
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0) out += '/';
    out.append(kept[i]);
  }
  if (endsInFolder && !kept.empty()) out += '/';
  out.append(path, tail, std::string::npos);
  return out;
}

bool hasDotStep(const std::string &path) {
  const std::string_view steps(path.data(), queryOrAnchor(path));
  return steps == "." || steps == ".." || steps.starts_with("./") || steps.starts_with("../") ||
         steps.find("/./") != std::string_view::npos ||
         steps.find("/../") != std::string_view::npos || steps.ends_with("/.") ||
         steps.ends_with("/..");
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

namespace {

// Turns every run of slashes in `path` into one, in place.
void collapseSlashesInPlace(std::string &path) {
  char *write = path.data();
  const char *read = path.data();
  const char *const end = read + path.size();
  for (; read != end; ++read) {
    if (*read == '/' && write != path.data() && write[-1] == '/') continue;
    *write++ = *read;
  }
  path.resize(static_cast<std::size_t>(write - path.data()));
}

} // namespace

std::string collapseSlashes(std::string_view path) {
  std::string out(path);
  collapseSlashesInPlace(out);
  return out;
}

void resolveLocal(LinkList &links, const char *text, const char *end, const std::string &pageFolder,
                  const std::string &pageName, const std::string &rootPath) {
  const std::string base = relativeFolder(pageFolder, rootPath.size());
  for (const auto &link : links) {
    if (!link) continue;
    if (link->type == LinkType::Remote) {
      link->target = linkValue(text, end, *link);
      if (beginsWithFileScheme(link->target)) link->type = LinkType::Site;
    } else if (link->type == LinkType::Local) {
      const std::string value = linkValue(text, end, *link);
      std::string path = resolveRelative(base, pageName, value);
      // A "../" left over from the root folder would test a file outside the site.
      if (hasDotStep(path)) path = withinRoot(path);
      std::string &target = link->target;
      target.clear();
      target.reserve(rootPath.size() + 1 + path.size());
      target.append(rootPath).append(1, '/').append(path);
      collapseSlashesInPlace(target);
    }
  }
}

void resolveRemote(LinkList &links, const char *text, const char *end,
                   const std::string &pageFolder, const std::string &pageName,
                   const std::string &downloadFolder, const std::string &subdomainPath,
                   const std::string &subdomainName) {
  const std::string base = relativeFolder(pageFolder, downloadFolder.size() + subdomainPath.size());
  for (const auto &link : links) {
    if (!link) continue;
    if (link->type == LinkType::Remote) {
      link->target = linkValue(text, end, *link);
      if (namesHost(link->target, subdomainName)) link->type = LinkType::Site;
    } else if (link->type == LinkType::Local) {
      const std::string value = linkValue(text, end, *link);
      link->target =
          "http://" + collapseSlashes(subdomainName + "/" + resolveRelative(base, pageName, value));
    }
  }
}

} // namespace linkmoor
