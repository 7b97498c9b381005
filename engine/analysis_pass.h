#pragma once
// The two analysis passes over one file of the current project: the general
// pass that fills a file's summary row, and the description pass that fills its
// error list and hands its text to the editor. Each reads the file whole, scans
// it, and, when the page has no syntax error, extracts, resolves and checks its
// links. Afterwards the scanner holds the page's segments and links.

#include "engine/error_list.h"
#include "engine/file_summary.h"
#include "engine/html_scanner.h"
#include "engine/page_reading.h"
#include "engine/pass_context.h"
#include "storage/byte_buffer.h"

#include <functional>
#include <string>

namespace linkmoor {

/// Progress action of the general pass (spelt as the program has always shown it).
inline constexpr char kGeneralInfoAction[] = "Finding genetal file information";
/// Progress action of the description pass.
inline constexpr char kDescriptionAction[] = "Finding file description";

/// The full path of a project file: the download folder of CurrentRemoteProject
/// (`remote`) or the root path of CurrentLocalProject, then "/" and `relativePath`.
std::string projectFilePath(const std::string &relativePath, bool remote);

/// Splits `fullPath` at its last "/" into folder and file name; without a "/" the
/// folder is empty and the name is the whole path.
void splitFilePath(const std::string &fullPath, std::string &folder, std::string &name);

/// General pass over the project file `relativePath`. Shows kGeneralInfoAction,
/// clears the scanner and the summary's counts, reads the file and analyses it.
/// Returns 1 when the file was analysed (`sizeText` = its size in decimal), 0
/// when not, with `sizeText` "open", "empty", "read" (also for files of 2 GiB and
/// more) or "binary". `context.stop` and `context.skip` are set when the link checks were cut
/// short. The scanner keeps the page's links but not its segments.
int findGeneralInfo(HtmlScanner &scanner, const std::string &relativePath, FileSummary &summary,
                    PassContext &context);

/// The general pass of findGeneralInfo, giving also, for a page that it finds in
/// error, the rows the description pass would list (`rows` stays empty for a
/// clean page or one it did not analyse). The rows come from the same read and
/// scan wherever the description pass would see the same text (always for syntax
/// rows; for link rows unless a comment or script comment spans lines), else from
/// a description pass over the text already read. For callers that want both
/// results of many pages at once; the summary is that of findGeneralInfo.
int findGeneralInfoWithRows(HtmlScanner &scanner, const std::string &relativePath,
                            FileSummary &summary, ErrorList &rows, PassContext &context);

/// Receives the rows of a page one at a time; `linkRow` is false for syntax rows.
/// The record is reused for the next row.
using RowStream = std::function<void(const ErrorRecord &row, bool linkRow)>;

/// findGeneralInfoWithRows with each row handed to `rows` as soon as it is made,
/// after the summary is complete, instead of gathered in a list: a page of a
/// million broken links never holds its rows. When the pass fails after rows were
/// handed over (no memory for a second working copy), the result is 0 with
/// `sizeText` "read". The scanner keeps the page's links but not its segments:
/// they are let go of once the links are extracted.
int findGeneralInfoStreamingRows(HtmlScanner &scanner, const std::string &relativePath,
                                 FileSummary &summary, const RowStream &rows, PassContext &context);

/// A page read by the caller (see PageFile): how the reading ended and, for Text,
/// the page's bytes with a zero byte after them.
struct LoadedPage {
  PageRead read = PageRead::CannotOpen;
  ByteBuffer bytes;
  std::int32_t size = 0;
};

/// findGeneralInfoStreamingRows over a page that the caller has read already,
/// `page`: the file `relativePath` is not read again.
int findGeneralInfoStreamingRows(HtmlScanner &scanner, const std::string &relativePath,
                                 const LoadedPage &page, FileSummary &summary,
                                 const RowStream &rows, PassContext &context);

/// Description pass over the project file `relativePath`. Shows kDescriptionAction,
/// clears the scanner and `errors`, and reads the file into `text` (size + 1 bytes,
/// zero-terminated). Returns 1 when the file was read: an empty file gives no rows
/// and leaves `text` as one zero byte; 0 when it could not be opened or read or is
/// binary.
int findDescription(HtmlScanner &scanner, const std::string &relativePath, ErrorList &errors,
                    ByteBuffer &text, PassContext &context);

/// The general pass's analysis of a text in memory (`text`..`end`, up to its first
/// zero byte; the text itself is not changed): the scanner (cleared first) gets
/// the segments, the summary their counts and, when no segment has a syntax error,
/// the counts of the links resolved in the current project of the kind `context.remote`
/// says and checked. False only when no memory for the working copy could be had.
bool analyzeForSummary(HtmlScanner &scanner, const std::string &pageFolder,
                       const std::string &pageName, const char *text, const char *end,
                       FileSummary &summary, PassContext &context);

/// The description pass's analysis of a text in memory: `errors` gets one row per
/// syntax error, or, when there is none, one row per link that was not found.
/// False only when no memory for the working copy could be had.
bool analyzeForDescription(HtmlScanner &scanner, const std::string &pageFolder,
                           const std::string &pageName, const char *text, const char *end,
                           ErrorList &errors, PassContext &context);

} // namespace linkmoor
