// Whole-text steps around the scan: lower-casing before it, and after the
// syntax results were taken, blanking what the link phase must not see,
// restoring the letter case and turning backslashes into slashes.
#include "engine/html_scanner.h"

#include "engine/text_bounds.h"

#include <algorithm>
#include <cstring>

namespace linkmoor {

using namespace scantext;

namespace {

void blankRange(char *text, std::int32_t length, std::int32_t from, std::int32_t to,
                bool keepLineFeeds) {
  from = std::clamp(from, 0, length);
  to = std::clamp(to, from, length);
  if (!keepLineFeeds) {
    std::memset(text + from, ' ', static_cast<std::size_t>(to - from));
    return;
  }
  for (std::int32_t i = from; i < to; ++i) text[i] = text[i] == '\n' ? '\n' : ' ';
}

} // namespace

void HtmlScanner::lowerCase(char *text, const char *end) {
  const std::int32_t length = textLength(text, end);
  for (std::int32_t i = 0; i < length; ++i) {
    const unsigned c = static_cast<unsigned char>(text[i]);
    text[i] = static_cast<char>(c - 'A' < 26u ? c + ('a' - 'A') : c);
  }
}

void HtmlScanner::blankForLinks(char *text, const char *end, bool keepLineFeeds) const {
  const std::int32_t length = textLength(text, end);
  for (const auto &segment : *this) {
    if (!segment) continue;
    if (segment->kind == SegmentKind::ScriptCode) {
      for (const auto &span : segment->spans())
        if (span) blankRange(text, length, span->start, span->end, keepLineFeeds);
    } else if (segment->kind == SegmentKind::Comment) {
      blankRange(text, length, segment->start, segment->end, keepLineFeeds);
    }
  }
  for (const auto &segment : *this) {
    if (segment &&
        (segment->kind == SegmentKind::NormalCode || segment->kind == SegmentKind::EndTag))
      blankRange(text, length, segment->start, segment->end, false);
  }
}

void HtmlScanner::restoreCase(char *work, const char *workEnd, const char *loaded,
                              const char *loadedEnd) {
  if (!loaded || !loadedEnd || loadedEnd <= loaded) return;
  const std::int32_t length =
      std::min<std::int64_t>(textLength(work, workEnd), loadedEnd - loaded);
  for (std::int32_t i = 0; i < length; ++i) work[i] = work[i] == ' ' ? ' ' : loaded[i];
}

void HtmlScanner::slashes(char *text, const char *end) {
  const std::int32_t length = textLength(text, end);
  for (std::int32_t i = 0; i < length; ++i) text[i] = text[i] == '\\' ? '/' : text[i];
}

} // namespace linkmoor
