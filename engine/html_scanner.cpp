// The segment scan: one forward pass that cuts the page into segments at every
// `<` outside tags, comments and script bodies.
#include "engine/html_scanner.h"

#include "engine/attribute_values.h"
#include "engine/record_growth.h"
#include "engine/text_bounds.h"

#include <memory>

namespace linkmoor {

using namespace scantext;

namespace {

constexpr std::string_view scriptWord = "script";
constexpr std::string_view scriptClose = "</script";
constexpr std::string_view commentClose = "-->";

// The fields of a segment while it is being parsed, before it is kept.
struct SegmentDraft {
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t errorPos = 0;
  SyntaxErrorCode errorCode = SyntaxErrorCode::None;

  void recordError(std::int32_t pos, SyntaxErrorCode code) {
    if (errorCode != SyntaxErrorCode::None) return;
    errorPos = pos;
    errorCode = code;
  }
};

class SegmentScan {
public:
  SegmentScan(RecordArray<MarkupSegment> &out, const char *text, std::int32_t length)
      : out_(out), text_(text), n_(length) {}

  // Counts error-free normal tags into `plainTags` instead of keeping them, and
  // notes the link attribute values of normal tags into `noted`.
  void countPlainTags(int &plainTags, std::vector<NotedLinkValue> &noted) {
    plainTags_ = &plainTags;
    noted_ = &noted;
  }

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

  // Keeps a parsed tag, or only counts it when it is a plain one to count.
  void keepTag(const SegmentDraft &draft, SegmentKind kind) {
    if (plainTags_ && kind == SegmentKind::NormalTag && draft.errorCode == SyntaxErrorCode::None) {
      ++*plainTags_;
      return;
    }
    MarkupSegment &tag = add(draft.start, kind);
    tag.end = draft.end;
    tag.errorPos = draft.errorPos;
    tag.errorCode = draft.errorCode;
  }

  // Notes the quoted value [open, close] of a normal tag when it belongs to a
  // link attribute; `cursor` is the tag's `<` or the byte after the value before.
  void noteValue(std::int32_t cursor, std::int32_t open, std::int32_t close) {
    if (open <= cursor) return;
    const attributevalues::NameSpan name =
        attributevalues::attributeNameBefore(text_, cursor, open);
    if (name.size == 0 || !attributevalues::isLinkAttributeName(std::string_view(
                              text_ + name.start, static_cast<std::size_t>(name.size))))
      return;
    noted_->push_back({open, close, name.start, name.size});
  }

  // From the `<` at p: returns where the scan goes on.
  std::int32_t parseTag(std::int32_t p, SegmentKind kind) {
    if (p >= n_) return n_;
    SegmentDraft tag{p, p};
    const bool noting = noted_ && kind == SegmentKind::NormalTag;
    std::int32_t cursor = p;
    std::int32_t s = skipBlanks(text_, p + 1, n_);
    if (s > p + 1) tag.recordError(s, SyntaxErrorCode::BlankAfterOpen);
    for (;;) {
      const std::int32_t hit = nextTagStop(s);
      if (hit < 0) {
        tag.recordError(s, SyntaxErrorCode::NoEndBrace);
        tag.end = n_;
        keepTag(tag, kind);
        return n_;
      }
      if (text_[hit] == '>') {
        tag.end = hit + 1;
        keepTag(tag, kind);
        return tag.end;
      }
      const std::int32_t close = findByte(text_, hit + 1, n_, text_[hit]);
      if (close < 0) {
        tag.recordError(hit, SyntaxErrorCode::NoStringEnd);
        tag.end = hit;
        keepTag(tag, kind);
        return hit;
      }
      if (noting) noteValue(cursor, hit, close);
      cursor = s = close + 1;
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
  int *plainTags_ = nullptr;
  std::vector<NotedLinkValue> *noted_ = nullptr;
};

} // namespace

void HtmlScanner::scan(const char *text, const char *end) {
  const std::int32_t length = textLength(text, end);
  const int first = count();
  scanSegments(text, length, false);
  markScriptSpans(text, length, first);
}

void HtmlScanner::scanForLinks(const char *text, const char *end) {
  const std::int32_t length = textLength(text, end);
  const int first = count();
  scanSegments(text, length, true);
  markScriptSpans(text, length, first);
}

void HtmlScanner::scanSegments(const char *text, std::int32_t length, bool noteLinks) {
  SegmentScan scan(*this, text, length);
  if (noteLinks) scan.countPlainTags(plainTags_, notedValues_);
  scan.run();
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
  clearSegments();
  emptyKeepingRoom<LinkRecord>(links);
}

void HtmlScanner::clearSegments() {
  emptyKeepingRoom<MarkupSegment>(*this);
  plainTags_ = 0;
  notedValues_.clear();
  // The notes of a page of very many tags do not stay for the next page.
  if (notedValues_.capacity() > static_cast<std::size_t>(kKeptSlots)) notedValues_.shrink_to_fit();
}

} // namespace linkmoor
