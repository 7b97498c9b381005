// The segment scan: one forward pass that cuts the page into segments at every
// `<` outside tags, comments and script bodies.
#include "engine/html_scanner.h"

#include "engine/record_growth.h"
#include "engine/text_bounds.h"

#include <memory>

namespace linkmoor {

using namespace scantext;

namespace {

constexpr std::string_view scriptWord = "script";
constexpr std::string_view scriptClose = "</script";
constexpr std::string_view commentClose = "-->";

class SegmentScan {
public:
  SegmentScan(RecordArray<MarkupSegment> &out, const char *text, std::int32_t length)
      : out_(out), text_(text), n_(length) {}

  void run() {
    std::int32_t cur = 0;
    while (cur < n_) {
      const std::int32_t p = findByte(text_, cur, n_, '<');
      if (p < 0) break;
      switch (classify(p)) {
      case SegmentKind::ScriptTag: {
        const std::int32_t body = parseTag(p, SegmentKind::ScriptTag);
        cur = parseScriptEnd(parseScriptBody(body));
        break;
      }
      case SegmentKind::Comment:
        cur = parseComment(p);
        break;
      default:
        cur = parseTag(p, SegmentKind::NormalTag);
        break;
      }
    }
  }

private:
  SegmentKind classify(std::int32_t p) const {
    if (startsWith(text_, p + 1, n_, scriptWord)) return SegmentKind::ScriptTag;
    if (p + 1 < n_ && text_[p + 1] == '!') {
      const std::int32_t a = skipBlanks(text_, p + 2, n_);
      if (a < n_ && text_[a] == '-') {
        const std::int32_t b = skipBlanks(text_, a + 1, n_);
        if (b < n_ && text_[b] == '-') return SegmentKind::Comment;
      }
    }
    return SegmentKind::NormalTag;
  }

  MarkupSegment &add(std::int32_t start, SegmentKind kind) {
    return *appendRecord(out_, std::make_unique<MarkupSegment>(start, kind));
  }

  // From the `<` at p: returns where the scan goes on.
  std::int32_t parseTag(std::int32_t p, SegmentKind kind) {
    if (p >= n_) return n_;
    MarkupSegment &tag = add(p, kind);
    std::int32_t s = skipBlanks(text_, p + 1, n_);
    if (s > p + 1) tag.recordError(s, SyntaxErrorCode::BlankAfterOpen);
    for (;;) {
      const std::int32_t hit = nextTagStop(s);
      if (hit < 0) {
        tag.recordError(s, SyntaxErrorCode::NoEndBrace);
        tag.end = n_;
        return n_;
      }
      if (text_[hit] == '>') {
        tag.end = hit + 1;
        return tag.end;
      }
      const std::int32_t close = findByte(text_, hit + 1, n_, text_[hit]);
      if (close < 0) {
        tag.recordError(hit, SyntaxErrorCode::NoStringEnd);
        tag.end = hit;
        return hit;
      }
      s = close + 1;
    }
  }

  // The next quote or `>`.
  std::int32_t nextTagStop(std::int32_t from) const {
    return findAnyOf<'"', '\'', '>'>(text_, from, n_);
  }

  std::int32_t parseScriptBody(std::int32_t c) {
    MarkupSegment &body = add(c, SegmentKind::ScriptCode);
    const std::int32_t f = findText(text_, c, n_, scriptClose);
    if (f >= 0) {
      body.end = f;
      return f;
    }
    body.end = n_;
    body.recordError(c, SyntaxErrorCode::NoEndBrace);
    return n_;
  }

  std::int32_t parseScriptEnd(std::int32_t f) {
    if (f >= n_) return n_;
    MarkupSegment &tag = add(f, SegmentKind::EndTag);
    const std::int32_t close = findByte(text_, f + 2, n_, '>');
    if (close >= 0) {
      tag.end = close + 1;
      return tag.end;
    }
    tag.recordError(f, SyntaxErrorCode::NoEndBrace);
    tag.end = n_;
    return n_;
  }

  // Only called after classify() found `<!`, blanks, `-`, blanks, `-` at p.
  std::int32_t parseComment(std::int32_t p) {
    MarkupSegment &comment = add(p, SegmentKind::Comment);
    const std::int32_t a = skipBlanks(text_, p + 2, n_);
    if (a > p + 2) comment.recordError(a, SyntaxErrorCode::BlankAfterBang);
    const std::int32_t b = skipBlanks(text_, a + 1, n_);
    if (b > a + 1) comment.recordError(b, SyntaxErrorCode::BlankAfterDash);
    const std::int32_t g = findText(text_, b + 1, n_, commentClose);
    if (g >= 0) {
      comment.end = g + 3;
      return comment.end;
    }
    comment.recordError(b + 1, SyntaxErrorCode::NoCommentEnd);
    comment.end = n_;
    return n_;
  }

  RecordArray<MarkupSegment> &out_;
  const char *text_;
  const std::int32_t n_;
};

} // namespace

void HtmlScanner::scan(const char *text, const char *end) {
  const std::int32_t length = textLength(text, end);
  const int first = count();
  scanSegments(text, length);
  markScriptSpans(text, length, first);
}

void HtmlScanner::scanSegments(const char *text, std::int32_t length) {
  SegmentScan(*this, text, length).run();
}

namespace {

// Pointer blocks up to this many slots are kept for the next page.
constexpr int kKeptSlots = 64 * 1024;

// Destroys every element of `array`; its pointer block stays for the next page
// when it is not larger than kKeptSlots, so a scanner that works through many
// pages does not grow its arrays afresh for each one.
template <typename T> void emptyKeepingRoom(RecordArray<T> &array) {
  if (array.count() == 0) return;
  if (array.capacity() > kKeptSlots) {
    array.removeAll();
    return;
  }
  array.setSize(1);
  array.removeAt(0);
}

} // namespace

void HtmlScanner::clear() {
  emptyKeepingRoom<MarkupSegment>(*this);
  emptyKeepingRoom<LinkRecord>(links);
}

void HtmlScanner::clearSegments() { emptyKeepingRoom<MarkupSegment>(*this); }

} // namespace linkmoor
