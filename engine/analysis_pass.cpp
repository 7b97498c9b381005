#include "engine/analysis_pass.h"

#include "engine/link_resolution.h"
#include "engine/link_verification.h"
#include "engine/page_reading.h"
#include "engine/record_growth.h"
#include "engine/text_bounds.h"
#include "storage/current_projects.h"

#include <algorithm>
#include <cstring>
#include <malloc.h>
#include <memory>
#include <new>

namespace linkmoor {

namespace {

// Segments from which on letting them go is followed by a trim of the heap.
constexpr int kManySegments = 64 * 1024;

// The lower-cased working copy of a loaded text: up to its first zero byte, with
// a zero byte after it, changed freely by the scanner steps.
class WorkText {
public:
  WorkText(const char *text, const char *end) {
    const std::int32_t size = scantext::bufferLength(text, end);
    data_.reset(new (std::nothrow) char[static_cast<std::size_t>(size) + 1]);
    if (!data_) return;
    length_ = HtmlScanner::lowerCaseCopy(text, size, data_.get());
    data_[static_cast<std::size_t>(length_)] = '\0';
  }
  bool ok() const { return data_ != nullptr; }
  char *begin() { return data_.get(); }
  char *end() { return data_.get() + length_; }

private:
  std::int32_t length_ = 0;
  std::unique_ptr<char[]> data_;
};

bool hasSyntaxError(const HtmlScanner &scanner) {
  for (const auto &segment : scanner.segments())
    if (segment && segment->hasError()) return true;
  return false;
}

// True when blanking for the link phase meets a line feed that the description
// pass keeps and the general pass turns into a blank (in a comment or a script
// comment): only then can the two passes see different texts.
bool blanksLineFeeds(const HtmlScanner &scanner, WorkText &work) {
  const std::int32_t length = static_cast<std::int32_t>(work.end() - work.begin());
  auto hasLineFeed = [&](std::int32_t from, std::int32_t to) {
    from = std::clamp(from, 0, length);
    to = std::clamp(to, 0, length);
    return from < to &&
           std::memchr(work.begin() + from, '\n', static_cast<std::size_t>(to - from)) != nullptr;
  };
  for (const auto &segment : scanner.segments()) {
    if (!segment) continue;
    if (segment->kind == SegmentKind::Comment && hasLineFeed(segment->start, segment->end))
      return true;
    if (segment->kind == SegmentKind::ScriptCode)
      for (const auto &span : segment->spans())
        if (span && hasLineFeed(span->start, span->end)) return true;
  }
  return false;
}

// Lets go of the segments of a page whose links are extracted, for a caller that
// needs only the links from here on: the room of a page of many tags then serves
// the links' targets. Freed small blocks stay with the allocator until trimmed,
// which is worth its walk over the heap only after many of them.
void dropSegments(HtmlScanner &scanner) {
  RecordArray<MarkupSegment> &segments = scanner;
  if (segments.count() < kManySegments) {
    // The pointer block of an ordinary page stays for the next page.
    scanner.clearSegments();
    return;
  }
  segments.removeAll();
  scanner.clearSegments(); // the plain tag count and the noted link values
  malloc_trim(0);
}

// Blanking, case restoring, extraction, resolution in the current project and
// the checks of the links.
void runLinkPhase(HtmlScanner &scanner, WorkText &work, const char *loaded, const char *loadedEnd,
                  bool keepLineFeeds, const std::string &pageName, PassContext &context,
                  bool keepSegments = true) {
  scanner.blankForLinks(work.begin(), work.end(), keepLineFeeds);
  HtmlScanner::restoreCaseAndSlashes(work.begin(), work.end(), loaded, loadedEnd);
  if (keepSegments) {
    scanner.extractLinks(work.begin(), work.end());
  } else {
    // The scan noted the link values; the segments are not needed any more.
    scanner.extractNotedLinks(work.begin(), work.end());
    dropSegments(scanner);
  }
  if (context.remote) {
    resolveRemote(scanner.links, work.begin(), work.end(), scanner.folder, pageName,
                  CurrentRemoteProject.downloadFolder(), CurrentRemoteProject.subdomainPath,
                  CurrentRemoteProject.subdomainName);
    verifyRemote(scanner.links, context);
  } else {
    // The general pass (no segments kept): a scanner serves one thread's pages one
    // after another and keeps what the links of their folder gave (their disk
    // results only while the checker keeps its own).
    LocalLinkMemo *memo = keepSegments ? nullptr : &scanner.linkMemo;
    if (memo)
      memo->startPage(scanner.folder, CurrentLocalProject.rootPath, &context.checker,
                      scanner.links.count());
    resolveLocal(scanner.links, work.begin(), work.end(), scanner.folder, pageName,
                 CurrentLocalProject.rootPath, memo);
    verifyLocal(scanner.links, context, memo);
  }
}

// Loaded text from its start to its end (the zero byte after it is not part of it).
const char *textEnd(const ByteBuffer &buffer, std::int32_t size) { return buffer.data() + size; }

// The description pass's analysis with each row handed to `stream` as it is made.
bool describeStreaming(HtmlScanner &scanner, const std::string &pageFolder,
                       const std::string &pageName, const char *text, const char *end,
                       const RowStream &stream, PassContext &context) {
  scanner.clear();
  scanner.folder = pageFolder;
  WorkText work(text, end);
  if (!work.ok()) return false;
  scanner.scan(work.begin(), work.end());
  if (hasSyntaxError(scanner)) {
    visitSegmentRows(scanner.segments(), work.begin(), work.end(),
                     [&](const ErrorRecord &row) { stream(row, false); });
    return true;
  }
  runLinkPhase(scanner, work, text, end, true, pageName, context);
  visitLinkRows(scanner.links, work.begin(), work.end(),
                [&](const ErrorRecord &row) { stream(row, true); });
  return true;
}

// The general pass's analysis; with `rows`, also the rows the description pass
// would give, taken from the same scan where that is the same thing (see
// findGeneralInfoWithRows) and handed over one at a time.
bool summaryAnalysis(HtmlScanner &scanner, const std::string &pageFolder,
                     const std::string &pageName, const char *text, const char *end,
                     FileSummary &summary, const RowStream *rows, PassContext &context,
                     bool keepSegments = true) {
  scanner.clear();
  scanner.folder = pageFolder;
  WorkText work(text, end);
  if (!work.ok()) return false;
  if (keepSegments) {
    scanner.scan(work.begin(), work.end());
  } else {
    scanner.scanForLinks(work.begin(), work.end());
    summary.tags += scanner.plainTagCount();
  }
  summary.countSegments(scanner.segments());
  if (hasSyntaxError(scanner)) {
    if (rows)
      visitSegmentRows(scanner.segments(), work.begin(), work.end(),
                       [&](const ErrorRecord &row) { (*rows)(row, false); });
    return true;
  }

  const bool sameBlanking = !blanksLineFeeds(scanner, work);
  runLinkPhase(scanner, work, text, end, false, pageName, context, keepSegments);
  summary.countLinks(scanner.links);
  if (!rows || summary.errorTotal() == 0) return true;
  if (sameBlanking) {
    visitLinkRows(scanner.links, work.begin(), work.end(),
                  [&](const ErrorRecord &row) { (*rows)(row, true); });
    return true;
  }
  // Line feeds inside blanked comments stay in the description's text, which may
  // then differ: take its rows from a pass of its own over the same loaded text.
  HtmlScanner second;
  PassContext secondContext(context.remote, context.job, context.checker);
  return describeStreaming(second, pageFolder, pageName, text, end, *rows, secondContext);
}

} // namespace

std::string projectFilePath(const std::string &relativePath, bool remote) {
  const std::string folder =
      remote ? CurrentRemoteProject.downloadFolder() : CurrentLocalProject.rootPath;
  return folder + "/" + relativePath;
}

void splitFilePath(const std::string &fullPath, std::string &folder, std::string &name) {
  const std::size_t slash = fullPath.rfind('/');
  if (slash == std::string::npos) {
    folder.clear();
    name = fullPath;
  } else {
    folder = fullPath.substr(0, slash);
    name = fullPath.substr(slash + 1);
  }
}

namespace {

// The general pass over a page whose reading gave `read` (with `loaded` holding
// its text of `size` bytes when that is Text).
int analyseRead(HtmlScanner &scanner, const std::string &fullPath, PageRead read,
                const ByteBuffer &loaded, std::int32_t size, FileSummary &summary,
                const RowStream *rows, PassContext &context, bool keepSegments) {
  switch (read) {
  case PageRead::CannotOpen:
    summary.sizeText = "open";
    return 0;
  case PageRead::Empty:
    summary.sizeText = "empty";
    return 0;
  case PageRead::CannotRead:
    summary.sizeText = "read";
    return 0;
  case PageRead::Binary:
    summary.sizeText = "binary";
    return 0;
  case PageRead::Text:
    break;
  }
  summary.sizeText = std::to_string(size);
  summary.size = size;

  std::string folder, name;
  splitFilePath(fullPath, folder, name);
  if (!summaryAnalysis(scanner, folder, name, loaded.data(), textEnd(loaded, size), summary, rows,
                       context, keepSegments)) {
    summary.clearCounts();
    summary.sizeText = "read";
    return 0;
  }
  return 1;
}

int generalPass(HtmlScanner &scanner, const std::string &relativePath, FileSummary &summary,
                const RowStream *rows, PassContext &context, bool keepSegments = true) {
  context.job.setItemText(kGeneralInfoAction, relativePath, false);
  const std::string fullPath = projectFilePath(relativePath, context.remote);
  summary.clearCounts();
  // The scanner must not offer the links of a page analysed before this one.
  scanner.clear();

  ByteBuffer loaded;
  std::int32_t size = 0;
  const PageRead read = readPage(fullPath, loaded, size);
  return analyseRead(scanner, fullPath, read, loaded, size, summary, rows, context, keepSegments);
}

} // namespace

int findGeneralInfo(HtmlScanner &scanner, const std::string &relativePath, FileSummary &summary,
                    PassContext &context) {
  return generalPass(scanner, relativePath, summary, nullptr, context, false);
}

int findGeneralInfoWithRows(HtmlScanner &scanner, const std::string &relativePath,
                            FileSummary &summary, ErrorList &rows, PassContext &context) {
  rows.removeAll();
  rows.linkRows = 0;
  const RowStream stream = [&rows](const ErrorRecord &row, bool linkRow) {
    rows.linkRows = linkRow ? 1 : 0;
    appendRecord(rows, std::make_unique<ErrorRecord>(row));
  };
  const int result = generalPass(scanner, relativePath, summary, &stream, context);
  // A page that ran out of memory half way lists nothing.
  if (result == 0) rows.removeAll();
  return result;
}

int findGeneralInfoStreamingRows(HtmlScanner &scanner, const std::string &relativePath,
                                 FileSummary &summary, const RowStream &rows,
                                 PassContext &context) {
  return generalPass(scanner, relativePath, summary, &rows, context, false);
}

int findGeneralInfoStreamingRows(HtmlScanner &scanner, const std::string &relativePath,
                                 const LoadedPage &page, FileSummary &summary,
                                 const RowStream &rows, PassContext &context) {
  context.job.setItemText(kGeneralInfoAction, relativePath, false);
  summary.clearCounts();
  scanner.clear();
  return analyseRead(scanner, projectFilePath(relativePath, context.remote), page.read, page.bytes,
                     page.size, summary, &rows, context, false);
}

int findDescription(HtmlScanner &scanner, const std::string &relativePath, ErrorList &errors,
                    ByteBuffer &text, PassContext &context) {
  context.job.setItemText(kDescriptionAction, relativePath, false);
  const std::string fullPath = projectFilePath(relativePath, context.remote);
  scanner.clear();
  errors.removeAll();
  errors.linkRows = 0;

  std::int32_t size = 0;
  switch (readPage(fullPath, text, size)) {
  case PageRead::Empty:
    // The editor shows this buffer and may save it back: it must not keep the
    // text of another file.
    if (text.resize(1)) text.data()[0] = '\0';
    return 1;
  case PageRead::Text:
    break;
  default:
    return 0;
  }

  std::string folder, name;
  splitFilePath(fullPath, folder, name);
  if (!analyzeForDescription(scanner, folder, name, text.data(), textEnd(text, size), errors,
                             context))
    return 0;
  return 1;
}

bool analyzeForSummary(HtmlScanner &scanner, const std::string &pageFolder,
                       const std::string &pageName, const char *text, const char *end,
                       FileSummary &summary, PassContext &context) {
  return summaryAnalysis(scanner, pageFolder, pageName, text, end, summary, nullptr, context);
}

bool analyzeForDescription(HtmlScanner &scanner, const std::string &pageFolder,
                           const std::string &pageName, const char *text, const char *end,
                           ErrorList &errors, PassContext &context) {
  scanner.clear();
  scanner.folder = pageFolder;
  errors.removeAll();
  errors.linkRows = 0;
  WorkText work(text, end);
  if (!work.ok()) return false;
  scanner.scan(work.begin(), work.end());
  errors.fillFromSegments(scanner.segments(), work.begin(), work.end());
  if (errors.count() != 0) return true;

  runLinkPhase(scanner, work, text, end, true, pageName, context);
  errors.fillFromLinks(scanner.links, work.begin(), work.end());
  return true;
}

} // namespace linkmoor
