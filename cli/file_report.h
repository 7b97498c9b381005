#pragma once
// What linkmoor-check reports of one file, and its two output forms.

#include "engine/file_summary.h"

#include <string>
#include <string_view>
#include <vector>

namespace linkmoor::cli {

/// One row of a page's error list as the description page shows it.
struct ReportRow {
  int line = 0;        ///< from 1
  std::string type;    ///< "normal TAG", "Local link", ...
  std::string error;   ///< "no end brace >", "disk file does't exist", ...
  std::string excerpt; ///< the "Format or link" text
  std::string target;  ///< link rows: the resolved target
  bool linkRow = false;
};

/// A row to write, pointing at texts owned elsewhere: a row of a page is made
/// once, written, and forgotten.
struct RowView {
  int line = 0;             ///< from 1
  std::string_view type;    ///< "normal TAG", "Local link", ...
  std::string_view error;   ///< "no end brace >", "disk file does't exist", ...
  std::string_view excerpt; ///< the "Format or link" text
  std::string_view target;  ///< link rows: the resolved target
  bool linkRow = false;
};

/// The result of one file.
struct FileReport {
  std::string file; ///< the path as given (relative to ROOT)
  FileSummary summary;
  bool analysed = false; ///< false: `summary.sizeText` says why ("open", "empty", ...)
  bool remote = false;   ///< site links are "S-link" instead of "F-link"
  int notChecked = 0;    ///< links that were not requested (--no-internet)
  std::vector<ReportRow> rows;

  /// True when the page has a syntax error: its link columns stay empty.
  bool hasSyntaxErrors() const { return summary.tagErrors + summary.scriptErrors > 0; }
  /// Links whose target was not found.
  int brokenLinks() const;
  /// True when the file could not be checked at all ("open" or "read").
  bool unreadable() const;
};

/// The text form: the path, the summary columns, then the rows. Names and page
/// text are shown with readableText: control characters and bytes that are not
/// UTF-8 as "\xNN" (C1 controls as "\u00NN"), so that nothing in a page or a
/// name reaches the terminal as a command or forges a line. Columns always keep
/// a blank between them, however wide a number grows.
std::string formatText(const FileReport &report);
/// The JSON form: one object on one line (without the line feed). Strings are
/// escaped as JSON requires and valid UTF-8 is kept; a byte that is not part of
/// a UTF-8 character is written as "\uefNN" (U+EF00 + byte, a private-use
/// character), as is each byte of a character of that range that really stands
/// in the text, so that the exact bytes can be recovered and the line is valid.
std::string formatJson(const FileReport &report);

/// The text form up to its rows (path, summary columns, links not checked).
std::string formatTextHead(const FileReport &report);
/// Appends the text form of one row (one line with its line feed) to `out`.
void appendTextRow(std::string &out, const RowView &row);
/// The JSON form up to the opening of its rows array: formatJsonHead, then the
/// rows each by appendJsonRow (`first` for the first), then kJsonTail.
std::string formatJsonHead(const FileReport &report);
/// Appends the JSON object of one row, after a comma unless it is the `first`.
void appendJsonRow(std::string &out, const RowView &row, bool first);
/// What closes the JSON form after its rows (without the line feed).
inline constexpr char kJsonTail[] = "]}";

/// Sums over all files, for the closing line and the exit status.
struct RunTotals {
  int files = 0;
  int syntaxErrors = 0;
  int brokenLinks = 0;
  int notChecked = 0;
  int unreadable = 0; ///< files and folders that could not be read
  void add(const FileReport &report);
  /// Adds the sums of `other`.
  void add(const RunTotals &other);
  /// Exit status: 0 when nothing was found, 1 otherwise.
  int exitStatus() const { return syntaxErrors + brokenLinks + unreadable > 0 ? 1 : 0; }
};

/// "3 files, 2 syntax errors, 1 broken link" (with the not-checked and unreadable counts when any).
std::string formatTotals(const RunTotals &totals);

} // namespace linkmoor::cli
