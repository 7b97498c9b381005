// The script span pass: finds the comments inside script bodies, skipping
// string literals, so that the link phase can blank them.
#include "engine/html_scanner.h"

#include "engine/record_growth.h"
#include "engine/text_bounds.h"

#include <algorithm>
#include <memory>

namespace linkmoor {

using namespace scantext;

namespace {

enum class Marker { None, Quote, LineComment, HtmlOpen, BlockComment, HtmlClose };

// The earliest string or comment marker at or after `from`, wholly before `end`.
Marker nextMarker(const char *t, std::int32_t from, std::int32_t end, std::int32_t &at) {
  for (std::int32_t x = from; (x = findAnyOf<'"', '\'', '/', '<', '-'>(t, x, end)) >= 0; ++x) {
    const char c = t[x];
    at = x;
    if (c == '"' || c == '\'') return Marker::Quote;
    if (c == '/' && x + 1 < end) {
      if (t[x + 1] == '/') return Marker::LineComment;
      if (t[x + 1] == '*') return Marker::BlockComment;
    }
    if (c == '<' && startsWith(t, x, end, "<!--")) return Marker::HtmlOpen;
    if (c == '-' && startsWith(t, x, end, "-->")) return Marker::HtmlClose;
  }
  return Marker::None;
}

// One past the line feed found from `from` on, or `end`.
std::int32_t afterLineFeed(const char *t, std::int32_t from, std::int32_t end) {
  const std::int32_t lf = findByte(t, from, end, '\n');
  return lf < 0 ? end : lf + 1;
}

void markSpans(const char *t, std::int32_t length, MarkupSegment &body) {
  const std::int32_t end = std::clamp(body.end, 0, length);
  std::int32_t q = std::clamp(body.start, 0, end);
  while (q < end) {
    std::int32_t x = 0;
    const Marker marker = nextMarker(t, q, end, x);
    std::int32_t from = x;
    std::int32_t to = end;
    switch (marker) {
    case Marker::None:
      return;
    case Marker::Quote: {
      // The closing quote is the next same quote not preceded by a backslash.
      std::int32_t close = findByte(t, x + 1, end, t[x]);
      while (close > x + 1 && t[close - 1] == '\\')
        close = findByte(t, close + 1, end, t[x]);
      if (close < 0) return;
      q = close + 1;
      continue;
    }
    case Marker::LineComment:
      to = afterLineFeed(t, x + 2, end);
      break;
    case Marker::HtmlOpen:
      to = afterLineFeed(t, x + 4, end);
      break;
    case Marker::BlockComment: {
      const std::int32_t close = findText(t, x + 2, end, "*/");
      to = close < 0 ? end : close + 2;
      break;
    }
    case Marker::HtmlClose:
      while (from > q && t[from - 1] == '-')
        --from;
      to = x + 3;
      break;
    }
    auto span = std::make_unique<ScriptSpan>();
    span->start = from;
    span->end = to;
    appendRecord<ScriptSpan>(body, std::move(span));
    q = to;
  }
}

} // namespace

void HtmlScanner::markScriptSpans(const char *text, std::int32_t length, int firstSegment) {
  for (int i = firstSegment; i < count(); ++i) {
    MarkupSegment *segment = at(i);
    if (segment && segment->kind == SegmentKind::ScriptCode && !segment->hasError())
      markSpans(text, length, *segment);
  }
}

} // namespace linkmoor
