#pragma once
// One piece of a scanned page: a tag, a script body, the end tag of a script
// body or a comment, with the first syntax error found in it. A script body
// also lists the comments inside it that the link phase blanks.

#include "engine/result_codes.h"
#include "storage/record_array.h"

#include <cstddef>
#include <cstdint>

namespace linkmoor {

/// A comment inside script code: byte offsets [start, end) into the page text.
struct ScriptSpan {
  std::int32_t start = 0; ///< Offset of the comment's first character.
  std::int32_t end = 0;   ///< Offset one past its last character.
};

/// A scanned segment of a page; its elements are the script comments found in it.
class MarkupSegment : public RecordArray<ScriptSpan> {
public:
  /// A segment of `kind` that begins at `start` and, until told otherwise, ends there too.
  MarkupSegment(std::int32_t start, SegmentKind kind) : start(start), end(start), kind(kind) {}

  /// Segments come and go by the thousand per page: their blocks are recycled
  /// (see BlockCache).
  static void *operator new(std::size_t size);
  /// Returns the block to the thread's cache.
  static void operator delete(void *block, std::size_t size) noexcept;

  /// Keeps `code` at `pos` as the segment's error unless it already has one.
  void recordError(std::int32_t pos, SyntaxErrorCode code) {
    if (errorCode != SyntaxErrorCode::None) return;
    errorPos = pos;
    errorCode = code;
  }
  /// True when a syntax error was recorded.
  bool hasError() const { return errorCode != SyntaxErrorCode::None; }
  /// The spans as an array (the `end` field hides the array's own `end()`,
  /// so iterate over this).
  const RecordArray<ScriptSpan> &spans() const { return *this; }

  /// Offset of the first character (the `<`; for script code the character after `>`).
  std::int32_t start = 0;
  /// Offset one past the last character (the `</script` for script code).
  std::int32_t end = 0;
  /// Where the first syntax error was found; meaningful only with an error code.
  std::int32_t errorPos = 0;
  /// The first syntax error, or None.
  SyntaxErrorCode errorCode = SyntaxErrorCode::None;
  /// What the segment is; may hold a value outside the known kinds.
  SegmentKind kind = SegmentKind::NormalTag;
};

} // namespace linkmoor
