// Link-target decoding and resolution on arbitrary values. A relative link of a
// local project must make the disk check test a path under the root with no
// "." or ".." step left, however the value is spelt; one of a remote project an
// address whose path keeps no such step; escaped disk paths read back as they
// were; the decoders never grow a text they only shorten.
#include "engine/link_list.h"
#include "engine/link_resolution.h"
#include "engine/relative_path.h"
#include "engine/target_decoding.h"
#include "fuzz_support.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace linkmoor;

// Roots with the characters the decoders act on, and a plain one.
constexpr std::string_view kRoots[] = {"/r/site", "/r/si#te?%41&amp;", "/r/a b\t", "/r"};
// Page folders below the root.
constexpr std::string_view kFolders[] = {"", "/a", "/a/b", "/a/b/c"};

bool isDotStep(std::string_view step) { return step == "." || step == ".."; }

// Whether a step of `path` between separators ("/", and "\" when `backslash`)
// is "." or "..".
bool hasDotStep(std::string_view path, bool backslash) {
  std::size_t from = 0;
  for (std::size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/' || (backslash && path[i] == '\\')) {
      if (isDotStep(path.substr(from, i - from))) return true;
      from = i + 1;
    }
  }
  return false;
}

// A link list with one link whose value is `value`, quoted in `text`.
void oneLink(LinkList &links, std::string &text, std::string_view value, LinkType type) {
  text = "\"" + std::string(value) + "\"";
  auto link = std::make_unique<LinkRecord>();
  link->valueStart = 0;
  link->valueEnd = static_cast<std::int32_t>(text.size()) - 1;
  link->type = type;
  links.insertSorted(std::move(link));
}

void checkLocal(std::string_view root, std::string_view folder, std::string_view value) {
  LinkList links;
  std::string text;
  oneLink(links, text, value, LinkType::Local);
  const std::string rootPath(root);
  resolveLocal(links, text.data(), text.data() + text.size(), rootPath + std::string(folder),
               "p.htm", rootPath);
  const std::string &target = links.at(0)->target;
  std::string tested;
  LINKMOOR_FUZZ_CHECK(diskPathOfTarget(target, tested), "a local target names no path");
  const std::string prefix = rootPath + "/";
  LINKMOOR_FUZZ_CHECK(tested.compare(0, prefix.size(), prefix) == 0,
                      "the disk check would test a path outside the root");
  LINKMOOR_FUZZ_CHECK(!hasDotStep(std::string_view(tested).substr(prefix.size()), true),
                      "a dot step is left in the tested path");
}

void checkRemote(std::string_view folder, std::string_view value) {
  LinkList links;
  std::string text;
  oneLink(links, text, value, LinkType::Local);
  resolveRemote(links, text.data(), text.data() + text.size(), "/dl/www" + std::string(folder),
                "p.htm", "/dl", "/www/", "site.test");
  const std::string &target = links.at(0)->target;
  const std::string_view start = "http://site.test/";
  LINKMOOR_FUZZ_CHECK(target.compare(0, start.size(), start) == 0, "a relative link left the site");
  std::string_view path = std::string_view(target).substr(start.size());
  path = path.substr(0, path.find_first_of("?#"));
  LINKMOOR_FUZZ_CHECK(!hasDotStep(path, false), "a dot step is left in the address");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size > 1 << 16) return 0;
  fuzz::InputReader input(data, size);
  const std::uint8_t choice = input.byte();
  const std::string_view root = kRoots[choice & 3];
  const std::string_view folder = kFolders[(choice >> 2) & 3];
  const std::string_view value = input.rest();

  checkLocal(root, folder, value);
  checkRemote(folder, value);

  const std::string relative = resolveRelative(std::string(folder) + "/", "p.htm", value);
  (void)relative;

  LINKMOOR_FUZZ_CHECK(decodePercentEscapes(value).size() <= value.size(),
                      "percent decoding grew the text");
  const std::string references = decodeCharacterReferences(value);
  (void)httpAddressOfTarget(value);
  std::string path;
  if (diskPathOfTarget(value, path))
    LINKMOOR_FUZZ_CHECK(path.size() <= references.size(), "the disk path grew");

  std::string back;
  const std::string escaped = "/r/" + escapeForDiskTarget(value);
  LINKMOOR_FUZZ_CHECK(diskPathOfTarget(escaped + "#part", back), "an escaped path names no path");
  LINKMOOR_FUZZ_CHECK(back == "/r/" + std::string(value), "an escaped path reads back otherwise");
  return 0;
}
