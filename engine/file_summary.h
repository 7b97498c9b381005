#pragma once
// Per-file result of the general pass: the counts shown in one row of a
// project's file information list.

#include "engine/link_list.h"
#include "engine/markup_segment.h"

#include <cstdint>
#include <string>

namespace linkmoor {

/// Counts of one analysed file.
struct FileSummary {
  /// The size as decimal text, or why the file was not analysed ("open", "empty",
  /// "read", "binary").
  std::string sizeText;
  std::int32_t tags = 0;               ///< Segments of kinds 3 to 6.
  std::int32_t tagErrors = 0;          ///< How many of those have a syntax error.
  std::int32_t scripts = 0;            ///< Script code segments.
  std::int32_t scriptErrors = 0;       ///< How many of those have a syntax error.
  std::int32_t localLinks = 0;         ///< Links of type 0 or of an unknown type.
  std::int32_t localLinksMissing = 0;  ///< How many of those have a non-zero status.
  std::int32_t siteLinks = 0;          ///< Links of type 1.
  std::int32_t siteLinksMissing = 0;   ///< How many of those have a non-zero status.
  std::int32_t remoteLinks = 0;        ///< Links of type 2.
  std::int32_t remoteLinksMissing = 0; ///< How many of those have a non-zero status.
  std::int32_t size = 0;               ///< File size in bytes.

  /// Sets every count and `size` to 0 (`sizeText` stays).
  void clearCounts();
  /// Adds the tag and script counts of `segments` to what is there.
  void countSegments(const RecordArray<MarkupSegment> &segments);
  /// Sets the six link counts from `links`.
  void countLinks(const LinkList &links);
  /// Total of syntax errors and missing links, as the "errs" column shows it.
  std::int32_t errorTotal() const;
};

} // namespace linkmoor
