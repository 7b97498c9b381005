#pragma once
// The rows of a page's error list: either its syntax errors or, when it has
// none, its links that were not found. Each row carries its line number and a
// short excerpt of the text.

#include "engine/link_list.h"
#include "engine/markup_segment.h"
#include "storage/record_array.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace linkmoor {

/// One row of an error list.
struct ErrorRecord {
  /// Line feeds before the row's position; the list shows `line` + 1.
  std::int32_t line = 0;
  /// Segment kind of a syntax row, link type of a link row.
  std::uint8_t type = 0;
  /// Syntax error code of a syntax row, low byte of the link status of a link row.
  std::uint8_t code = 0;
  /// The segment text (syntax rows) or the link value as written (link rows).
  std::string excerpt;
  /// Link rows only: the resolved target.
  std::string target;
};

/// Receives rows one at a time; the record is reused for the next row.
using RowVisitor = std::function<void(const ErrorRecord &row)>;

/// Makes the syntax rows of `segments` (as ErrorList::fillFromSegments) one at a
/// time in one reused record, so that a page's rows need not all be held at once.
void visitSegmentRows(const RecordArray<MarkupSegment> &segments, const char *text, const char *end,
                      const RowVisitor &visit);
/// Makes the link rows of `links` (as ErrorList::fillFromLinks) one at a time.
void visitLinkRows(const LinkList &links, const char *text, const char *end,
                   const RowVisitor &visit);

/// The two texts a row shows beside its excerpt.
struct RowTexts {
  std::string_view type;  ///< "Type" column.
  std::string_view error; ///< "Error" column.
};

/// The rows of one page; never mixes syntax rows and link rows.
class ErrorList : public RecordArray<ErrorRecord> {
public:
  /// Longest syntax excerpt; longer segments are cut to this many bytes.
  static constexpr int excerptLimit = 40;

  /// Marks the list as syntax rows and appends one row per segment with an error.
  /// `text`..`end` is the lower-cased working text the segments were scanned from.
  void fillFromSegments(const RecordArray<MarkupSegment> &segments, const char *text,
                        const char *end);
  /// Marks the list as link rows and appends one row per link with a non-zero status.
  void fillFromLinks(const LinkList &links, const char *text, const char *end);

  /// 0 when the rows are syntax errors, 1 when they are link problems.
  std::uint8_t linkRows = 0;
};

/// Texts of a syntax row: segment kind and syntax error.
RowTexts kindText(const ErrorRecord &record);
/// Texts of a link row: link type and link status.
RowTexts linkText(const ErrorRecord &record);

} // namespace linkmoor
