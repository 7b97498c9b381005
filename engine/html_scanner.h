#pragma once
// The analysis object of one page. It cuts the page text into tags, script
// bodies, script end tags and comments (its elements, in text order), checks a
// handful of syntax rules on each, prepares the text for the link phase and
// collects the page's links.
//
// The text is 8-bit and handled as bytes; for the scan and the `://` search it
// ends at `end` or at its first zero byte, whichever comes first (the byte-wise
// rewrites lowerCase, restoreCase and slashes simply cover [text, end)). All
// offsets are byte offsets into it. The operations never read or write outside
// [text, end), whatever the bytes, and clamp offsets of segments that do not
// fit the text they are given.
//
// The order of a pass: copy the loaded text into a working text, lowerCase
// (both at once: lowerCaseCopy),
// scan, take the syntax results, blankForLinks, restoreCase, slashes (both at
// once: restoreCaseAndSlashes),
// extractLinks (or extractFromTag for each normal tag, then extractAbsolute).
// A pass that needs no normal tag but for counts, errors and links may scan with
// scanForLinks and extract with extractNotedLinks instead.
//
// Where each step lives:
//   html_scanner.cpp      clear, scan (the cut into segments and the syntax rules)
//   script_spans.cpp      markScriptSpans (the comment and string spans of scripts)
//   text_preparation.cpp  lowerCase, blankForLinks, restoreCase, slashes
//   link_extraction.cpp   extractLinks, extractFromTag, extractAbsolute

#include "engine/link_list.h"
#include "engine/local_link_memo.h"
#include "engine/markup_segment.h"
#include "storage/record_array.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace linkmoor {

/// A quoted value of a link attribute that scanForLinks noted in a normal tag:
/// its quotes at `open` and `close`, the attribute name at [nameStart, nameStart + nameSize).
struct NotedLinkValue {
  std::int32_t open = 0;      ///< Offset of the opening quote.
  std::int32_t close = 0;     ///< Offset of the closing quote.
  std::int32_t nameStart = 0; ///< Offset of the name's first letter.
  std::int32_t nameSize = 0;  ///< Length of the name.
};

/// Segments (the elements), links and page folder of one analysis.
class HtmlScanner : public RecordArray<MarkupSegment> {
public:
  /// Turns each of `A`..`Z` into its lower-case letter; other bytes stay.
  static void lowerCase(char *text, const char *end);

  /// Copies `text` up to its first zero byte, at most `length` bytes, to `out`
  /// with `A`..`Z` lower-cased, as a copy followed by lowerCase; returns how many
  /// bytes it copied.
  static std::int32_t lowerCaseCopy(const char *text, std::int32_t length, char *out);

  /// Cuts the (lower-cased) text into segments, appended to this array, then
  /// records the comments inside each well-formed script body as its spans.
  void scan(const char *text, const char *end);

  /// The scan for a pass that needs of the normal tags only their count, their
  /// syntax errors and their links: such a tag without an error is counted
  /// (plainTagCount) instead of kept, and the quoted values of link attributes in
  /// it are noted for extractNotedLinks. Everything else is kept as scan keeps it.
  void scanForLinks(const char *text, const char *end);

  /// Normal tags without an error that scanForLinks counted instead of keeping.
  int plainTagCount() const { return plainTags_; }

  /// Blanks what the link phase must not see: the spans of script bodies and
  /// whole comments become spaces (line feeds kept when `keepLineFeeds`), then
  /// script end tags become spaces completely, line feeds included.
  void blankForLinks(char *text, const char *end, bool keepLineFeeds) const;

  /// Where `work` holds anything but a space, puts back the byte of `loaded` at
  /// the same offset (only as far as both buffers go).
  static void restoreCase(char *work, const char *workEnd, const char *loaded,
                          const char *loadedEnd);

  /// restoreCase, then slashes, in one walk over the text.
  static void restoreCaseAndSlashes(char *work, const char *workEnd, const char *loaded,
                                    const char *loadedEnd);

  /// Replaces every backslash with a slash.
  static void slashes(char *text, const char *end);

  /// Adds the links in quoted values of known attributes inside `tag` (a normal
  /// tag of this text); the search stays inside the tag.
  void extractFromTag(const char *text, const char *end, const MarkupSegment &tag);

  /// Adds the absolute links (a scheme and `://` after `"`, `(` or `=`) of the whole text.
  void extractAbsolute(const char *text, const char *end);

  /// extractFromTag for every normal tag in order, then extractAbsolute.
  void extractLinks(const char *text, const char *end);

  /// After scanForLinks of a text without syntax errors, prepared since as for
  /// extractLinks: the links of the noted values, then extractAbsolute. Gives
  /// the links that scan and extractLinks give.
  void extractNotedLinks(const char *text, const char *end);

  /// Destroys all segments and links, for reuse on another page.
  void clear();
  /// Destroys all segments, keeping their pointer block as clear() does, and
  /// forgets the plain tags and noted values of scanForLinks.
  void clearSegments();

  /// The segments, in text order.
  const RecordArray<MarkupSegment> &segments() const { return *this; }

  /// The page's links, in ascending order of `valueStart`.
  LinkList links;
  /// Folder of the page being analysed, set by the analysis pass.
  std::string folder;
  /// What the local links of the folder gave on earlier pages, for a pass that
  /// keeps it (see runLinkPhase).
  LocalLinkMemo linkMemo;

private:
  void scanSegments(const char *text, std::int32_t length, bool noteLinks);
  void addAttributeLink(const char *text, std::int32_t nameStart, std::int32_t nameSize,
                        std::int32_t open, std::int32_t close);
  void markScriptSpans(const char *text, std::int32_t length, int firstSegment);

  std::vector<NotedLinkValue> notedValues_;
  int plainTags_ = 0;
};

} // namespace linkmoor
