// The engine's two passes over a page of arbitrary bytes, with a checker that
// answers from the target alone (no network, no disk). Checks: the segments and
// links lie inside the text and in text order, and the general pass that also
// gives the rows, whether it collects them or streams them as linkmoor-check
// does, gives exactly what the two passes give one after the other.
#include "engine/analysis_pass.h"
#include "engine/block_cache.h"
#include "engine/error_list.h"
#include "engine/html_scanner.h"
#include "engine/job_control.h"
#include "engine/link_checker.h"
#include "engine/pass_context.h"
#include "engine/record_growth.h"
#include "fuzz_support.h"
#include "storage/byte_buffer.h"
#include "storage/current_projects.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace linkmoor;

// This build runs under AddressSanitizer: freed segments must go back to the
// allocator, where the sanitizer watches them.
static_assert(!BlockCache<sizeof(MarkupSegment)>::recycles,
              "the block cache must not recycle under AddressSanitizer");

// Answers every check from a hash of the target, the same way every time.
class HashChecker : public LinkChecker {
public:
  LinkStatus checkHttp(const std::string &url) override {
    switch (std::hash<std::string>{}(url) % 3) {
    case 0:
      return LinkStatus::Found;
    case 1:
      return LinkStatus::NoWebSite;
    default:
      return LinkStatus::NoWebFile;
    }
  }
  LinkStatus checkDisk(const std::string &path) override {
    return std::hash<std::string>{}(path) % 2 ? LinkStatus::Found : LinkStatus::NoDiskFile;
  }
};

using Row = std::tuple<int, int, int, std::string, std::string>;

struct PassResults {
  int general = -1;
  FileSummary summary;
  std::vector<Row> rows;
  int linkRows = -1;
};

void takeRows(const ErrorList &list, PassResults &r) {
  r.linkRows = list.count() ? list.linkRows : -1;
  for (const auto &row : list)
    r.rows.emplace_back(row->line, row->type, row->code, row->excerpt, row->target);
}

// Segments and links within [0, size], each segment and value not reversed,
// segments and links in ascending order of their start.
void checkOffsets(const HtmlScanner &scanner, std::int32_t size) {
  std::int32_t previous = 0;
  for (const auto &segment : scanner) {
    LINKMOOR_FUZZ_CHECK(segment, "a segment is missing");
    LINKMOOR_FUZZ_CHECK(segment->start >= 0 && segment->start <= segment->end &&
                            segment->end <= size,
                        "a segment lies outside the text");
    LINKMOOR_FUZZ_CHECK(segment->start >= previous, "segments out of order");
    previous = segment->start;
    for (const auto &span : segment->spans()) {
      LINKMOOR_FUZZ_CHECK(span && span->start >= 0 && span->start <= span->end && span->end <= size,
                          "a script comment lies outside the text");
    }
  }
  previous = 0;
  for (const auto &link : scanner.links) {
    LINKMOOR_FUZZ_CHECK(link, "a link is missing");
    LINKMOOR_FUZZ_CHECK(link->valueStart >= 0 && link->valueStart <= link->valueEnd &&
                            link->valueEnd <= size,
                        "a link value lies outside the text");
    LINKMOOR_FUZZ_CHECK(link->valueStart >= previous, "links out of order");
    previous = link->valueStart;
  }
}

PassResults twoPasses(const std::string &file, bool remote, std::int32_t size) {
  PassResults r;
  SilentJob job;
  HashChecker checker;
  PassContext context(remote, job, checker);
  HtmlScanner scanner;
  r.general = findGeneralInfo(scanner, file, r.summary, context);
  checkOffsets(scanner, size);
  HtmlScanner second;
  ErrorList list;
  ByteBuffer text;
  findDescription(second, file, list, text, context);
  checkOffsets(second, size);
  if (r.general == 1 && r.summary.errorTotal() > 0) takeRows(list, r);
  return r;
}

// What one pass over a page needs around it.
struct PassSetup {
  explicit PassSetup(bool remote) : context(remote, job, checker) {}
  SilentJob job;
  HashChecker checker;
  PassContext context;
  HtmlScanner scanner;
  ErrorList list;
};

PassResults onePass(const std::string &file, bool remote, std::int32_t size) {
  PassResults r;
  PassSetup pass(remote);
  r.general = findGeneralInfoWithRows(pass.scanner, file, r.summary, pass.list, pass.context);
  checkOffsets(pass.scanner, size);
  takeRows(pass.list, r);
  return r;
}

// The pass of linkmoor-check: counts only the plain tags, takes the links from
// the values its scan noted, and streams the rows.
PassResults streamedPass(const std::string &file, bool remote, std::int32_t size) {
  PassResults r;
  PassSetup pass(remote);
  const RowStream stream = [&](const ErrorRecord &row, bool linkRow) {
    pass.list.linkRows = linkRow ? 1 : 0;
    appendRecord(pass.list, std::make_unique<ErrorRecord>(row));
  };
  r.general = findGeneralInfoStreamingRows(pass.scanner, file, r.summary, stream, pass.context);
  checkOffsets(pass.scanner, size);
  if (r.general == 0) pass.list.removeAll();
  takeRows(pass.list, r);
  return r;
}

void expectSame(const PassResults &a, const PassResults &b) {
  LINKMOOR_FUZZ_CHECK(a.general == b.general, "pass results differ");
  LINKMOOR_FUZZ_CHECK(a.summary.sizeText == b.summary.sizeText, "size texts differ");
  LINKMOOR_FUZZ_CHECK(a.summary.tags == b.summary.tags &&
                          a.summary.tagErrors == b.summary.tagErrors &&
                          a.summary.scripts == b.summary.scripts &&
                          a.summary.scriptErrors == b.summary.scriptErrors,
                      "segment counts differ");
  LINKMOOR_FUZZ_CHECK(a.summary.localLinks == b.summary.localLinks &&
                          a.summary.localLinksMissing == b.summary.localLinksMissing &&
                          a.summary.siteLinks == b.summary.siteLinks &&
                          a.summary.siteLinksMissing == b.summary.siteLinksMissing &&
                          a.summary.remoteLinks == b.summary.remoteLinks &&
                          a.summary.remoteLinksMissing == b.summary.remoteLinksMissing,
                      "link counts differ");
  LINKMOOR_FUZZ_CHECK(a.rows == b.rows, "rows differ");
  LINKMOOR_FUZZ_CHECK(a.linkRows == b.linkRows, "row kinds differ");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size > 1 << 20) return 0;
  linkmoor::fuzz::InputReader input(data, size);
  const std::uint8_t options = input.byte();
  const bool remote = options & 1;
  const std::string_view page = input.rest();

  // The page lies at sub/p.htm of the project; the remote project mirrors a site
  // whose web root is the download folder's "www".
  const std::string &folder = linkmoor::fuzz::scratchFolder();
  linkmoor::CurrentLocalProject.rootPath = folder;
  linkmoor::CurrentRemoteProject.downloadPath = folder;
  linkmoor::CurrentRemoteProject.addProjectNameToDownload = 0;
  linkmoor::CurrentRemoteProject.subdomainPath = "/www/";
  linkmoor::CurrentRemoteProject.subdomainName = "site.test";
  const std::string file = remote ? "www/sub/p.htm" : "sub/p.htm";
  std::filesystem::create_directories(folder + "/" + (remote ? "www/sub" : "sub"));
  {
    std::ofstream out(folder + "/" + file, std::ios::binary | std::ios::trunc);
    out.write(page.data(), static_cast<std::streamsize>(page.size()));
  }
  const auto length = static_cast<std::int32_t>(page.size());
  const PassResults one = onePass(file, remote, length);
  expectSame(twoPasses(file, remote, length), one);
  expectSame(streamedPass(file, remote, length), one);
  return 0;
}
