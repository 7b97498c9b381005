#include "engine/link_resolution.h"

#include "engine/relative_path.h"
#include "engine/target_decoding.h"
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

bool isDotStep(std::string_view step) { return step == "." || step == ".."; }

// Whether any "/"-separated step of `steps` is "." or "..".
bool hasDotSteps(std::string_view steps) {
  std::size_t from = 0;
  for (;;) {
    const std::size_t slash = steps.find('/', from);
    if (isDotStep(steps.substr(from, slash == std::string_view::npos ? slash : slash - from)))
      return true;
    if (slash == std::string_view::npos) return false;
    from = slash + 1;
  }
}

// `steps` with its "." and ".." steps taken, never above the root (as a browser
// resolves a path); runs of "/" become one, a leading "/" stays, and a path that
// ends in a folder step ends with "/". Written into `out` (its old content
// replaced), whose block can serve many paths.
void takeDotStepsInto(std::string_view steps, std::string &out) {
  out.clear();
  if (steps.starts_with('/')) out += '/';
  const std::size_t rootSize = out.size();
  std::size_t kept = 0;
  bool endsInFolder = false;
  std::size_t from = 0;
  for (;;) {
    const std::size_t slash = std::min(steps.find('/', from), steps.size());
    const std::string_view step = steps.substr(from, slash - from);
    endsInFolder = step.empty() || isDotStep(step);
    if (step == "..") {
      // A kept step holds no "/": the last "/" written comes before the last one.
      if (kept > 1) out.resize(out.rfind('/'));
      if (kept == 1) out.resize(rootSize);
      if (kept > 0) --kept;
    } else if (!step.empty() && step != ".") {
      if (kept > 0) out += '/';
      out.append(step);
      ++kept;
    }
    if (slash == steps.size()) break;
    from = slash + 1;
  }
  if (endsInFolder && kept > 0) out += '/';
}

std::string takeDotSteps(std::string_view steps) {
  std::string out;
  takeDotStepsInto(steps, out);
  return out;
}

// A path relative to the site root with its "." and ".." steps taken, never above
// the root; the part from a "?" or "#" stays as it is. `scratch` is a buffer kept
// between calls; the old path ends up there.
void takeWithinRoot(std::string &path, std::string &scratch) {
  const std::size_t tail = queryOrAnchor(path);
  takeDotStepsInto(std::string_view(path.data(), tail), scratch);
  scratch.append(path, tail, std::string::npos);
  path.swap(scratch);
}

std::string withinRoot(const std::string &path) {
  std::string result = path;
  std::string scratch;
  takeWithinRoot(result, scratch);
  return result;
}

bool hasDotStep(const std::string &path) {
  return hasDotSteps(std::string_view(path.data(), queryOrAnchor(path)));
}

// The disk check tests a target only after decoding it (diskPathOfTarget), so
// `%2e%2e/`, `&#46;&#46;/` or `..%5c` are ".." steps there even though they were
// not while the value was resolved. When the decoded form of the relative `path`
// still holds such a step (or a backslash, which a page means as "/"), `path` is
// replaced by the decoded steps taken within the root, escaped so that the check
// reads them back as they are, followed by the anchor or query. Otherwise `path`
// stays as written.
void containDecoded(std::string &path) {
  // Without an escape, a reference or a backslash, and with no blank or control
  // byte at the end for the check to trim, the decoded steps are the written ones,
  // which the caller has already taken within the root.
  bool plain = path.empty() || static_cast<unsigned char>(path.back()) > 0x20;
  for (std::size_t i = 0; plain && i < path.size(); ++i)
    plain = path[i] != '%' && path[i] != '&' && path[i] != '\\';
  if (plain) return;
  std::string tested;
  if (!diskPathOfTarget("/" + path, tested)) return;
  const bool backslash = tested.find('\\') != std::string::npos;
  if (backslash) std::replace(tested.begin(), tested.end(), '\\', '/');
  if (!backslash && !hasDotSteps(tested)) return;
  const std::string decoded = decodeCharacterReferences(path);
  path = escapeForDiskTarget(takeDotSteps(tested)) + decoded.substr(queryOrAnchor(decoded));
}

} // namespace

namespace {

// The value of `link` in the text, without its opening quote, where it lies.
std::string_view linkValueView(const char *text, const char *end, const LinkRecord &link) {
  const std::int32_t length = scantext::bufferLength(text, end);
  std::int32_t from = std::clamp(link.valueStart, 0, length);
  const std::int32_t to = std::clamp(link.valueEnd, 0, length);
  if (from < to && (text[from] == '"' || text[from] == '\'')) ++from;
  if (from >= to) return {};
  return std::string_view(text + from, static_cast<std::size_t>(to - from));
}

} // namespace

std::string linkValue(const char *text, const char *end, const LinkRecord &link) {
  return std::string(linkValueView(text, end, link));
}

namespace {

// Turns every run of slashes in `path` into one, in place.
// Turns every run of slashes in `path` from `from` on into one, in place; the
// part before `from` must have no such run (a slash there still ends a run).
void collapseSlashesFrom(std::string &path, std::size_t from) {
  from = std::min(from, path.size());
  char *write = path.data() + from;
  const char *read = write;
  const char *const end = path.data() + path.size();
  for (; read != end; ++read) {
    if (*read == '/' && write != path.data() && write[-1] == '/') continue;
    *write++ = *read;
  }
  path.resize(static_cast<std::size_t>(write - path.data()));
}

void collapseSlashesInPlace(std::string &path) { collapseSlashesFrom(path, 0); }

} // namespace

std::string collapseSlashes(std::string_view path) {
  std::string out(path);
  collapseSlashesInPlace(out);
  return out;
}

void resolveLocal(LinkList &links, const char *text, const char *end, const std::string &pageFolder,
                  const std::string &pageName, const std::string &rootPath, LocalLinkMemo *memo) {
  const std::string base = relativeFolder(pageFolder, rootPath.size());
  // The root as the disk check will read it back: a "#", "?", "%" or "&" in a
  // folder name is not an anchor, query, escape or reference there.
  // Collapsed once here: each target then collapses only what follows the root.
  const std::string root = collapseSlashes(escapeForDiskTarget(rootPath));
  std::string path, scratch; // buffers for all the links of the page
  const std::size_t count = static_cast<std::size_t>(std::max(links.count(), 0));
  if (memo && memo->pageEntries.size() != count) memo = nullptr;
  for (std::size_t i = 0; i < count; ++i) {
    LinkRecord *link = links.at(static_cast<int>(i));
    if (!link) continue;
    if (link->type == LinkType::Remote) {
      link->target = linkValue(text, end, *link);
      if (beginsWithFileScheme(link->target)) link->type = LinkType::Site;
    } else if (link->type == LinkType::Local) {
      const std::string_view value = linkValueView(text, end, *link);
      const bool memoized = memo && LocalLinkMemo::sameForTheFolder(value);
      if (memoized) {
        if (MemoTarget *known = memo->find(value)) {
          link->target = known->target;
          memo->pageEntries[i] = known;
          continue;
        }
      }
      resolveRelativeInto(base, pageName, value, path);
      // A "../" left over from the root folder would test a file outside the site.
      if (hasDotStep(path)) takeWithinRoot(path, scratch);
      containDecoded(path);
      std::string &target = link->target;
      target.clear();
      target.reserve(root.size() + 1 + path.size());
      target.append(root).append(1, '/').append(path);
      collapseSlashesFrom(target, root.size());
      if (memoized) memo->pageEntries[i] = memo->add(value, target);
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
      std::string path = resolveRelative(base, pageName, value);
      // A "../" left over from the web root names nothing above it; a browser drops it.
      if (hasDotStep(path)) path = withinRoot(path);
      link->target = "http://" + collapseSlashes(subdomainName + "/" + path);
    }
  }
}

} // namespace linkmoor
