// Link extraction: quoted values of known attributes inside normal tags give
// relative links; a search of the whole text for `://` gives absolute links.
#include "engine/html_scanner.h"

#include "engine/attribute_values.h"
#include "engine/text_bounds.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace linkmoor {

using namespace scantext;

namespace {

// The characters an address may hold (RFC 3986): letters, digits, the
// unreserved `-._~`, the delimiters `:/?#[]@!$&'()*+,;=` and `%` of escapes;
// also blank and backslash, and every byte above 127 (internationalised
// addresses written in the page's own encoding).
struct UrlChars {
  bool allowed[256] = {};
  constexpr UrlChars() {
    for (int c = 'a'; c <= 'z'; ++c)
      allowed[c] = allowed[c - 'a' + 'A'] = true;
    for (int c = '0'; c <= '9'; ++c)
      allowed[c] = true;
    for (char c : {'-', '.',  '_', '~', ':', '/', '?', '#', '[', ']', '@', '!', '$',
                   '&', '\'', '(', ')', '*', '+', ',', ';', '=', '%', ' ', '\\'})
      allowed[static_cast<unsigned char>(c)] = true;
    for (int c = 128; c < 256; ++c)
      allowed[c] = true;
  }
};
constexpr UrlChars urlChars;

bool isUrlChar(char c) { return urlChars.allowed[static_cast<unsigned char>(c)]; }

std::int32_t findQuote(const char *text, std::int32_t from, std::int32_t to) {
  return findAnyOf<'"', '\''>(text, from, to);
}

// Values that are not attribute links: mail addresses, absolute links (the
// `://` search finds those) and script calls.
bool isSkippedValue(const char *text, std::int32_t from, std::int32_t to) {
  constexpr std::string_view mailto = "mailto";
  if (to - from >= static_cast<std::int32_t>(mailto.size())) {
    bool same = true;
    for (std::size_t i = 0; i < mailto.size() && same; ++i)
      same = (static_cast<unsigned char>(text[from + static_cast<std::int32_t>(i)]) | 0x20u) ==
             static_cast<unsigned char>(mailto[i]);
    if (same) {
      const std::int32_t colon =
          skipBlanks(text, from + static_cast<std::int32_t>(mailto.size()), to);
      if (colon < to && text[colon] == ':') return true;
    }
  }
  return findText(text, from, to, "://") >= 0 || findByte(text, from, to, '(') >= 0;
}

// First position at or after `from` where a walk through URL characters stops:
// on any non-URL character, or on the closing delimiter `closing` (a blank or
// `)`, both URL characters; a double quote is none). Walks only ever move
// forward, so each answer is kept per delimiter and reused while it lies ahead.
class UrlWalk {
public:
  UrlWalk(const char *text, std::int32_t length) : text_(text), n_(length) {}

  std::int32_t stop(std::int32_t from, char closing) {
    std::int32_t &known = closing == ' ' ? spaceStop_ : closing == ')' ? parenStop_ : plainStop_;
    if (known < from) {
      known = from;
      while (known < n_ && isUrlChar(text_[known]) && text_[known] != closing)
        ++known;
    }
    return known;
  }

private:
  const char *text_;
  std::int32_t n_;
  std::int32_t plainStop_ = -1;
  std::int32_t spaceStop_ = -1;
  std::int32_t parenStop_ = -1;
};

} // namespace

void HtmlScanner::extractFromTag(const char *text, const char *end, const MarkupSegment &tag) {
  // Called once per tag: bounded by the buffer, not by a search for its zero
  // byte; the scan that made the tag already stopped there.
  const std::int32_t n = bufferLength(text, end);
  const std::int32_t tagEnd = std::clamp(tag.end, 0, n);
  std::int32_t cursor = std::clamp(tag.start, 0, tagEnd);
  for (;;) {
    const std::int32_t open = findQuote(text, cursor, tagEnd);
    if (open < 0) return;
    const std::int32_t close = findByte(text, open + 1, tagEnd, text[open]);
    if (close < 0) return;
    if (open > cursor) {
      const attributevalues::NameSpan name =
          attributevalues::attributeNameBefore(text, cursor, open);
      if (name.size > 0) addAttributeLink(text, name.start, name.size, open, close);
    }
    cursor = close + 1;
  }
}

void HtmlScanner::addAttributeLink(const char *text, std::int32_t nameStart, std::int32_t nameSize,
                                   std::int32_t open, std::int32_t close) {
  const std::string_view name(text + nameStart, static_cast<std::size_t>(nameSize));
  if (!attributevalues::isLinkAttributeName(name) || isSkippedValue(text, open + 1, close)) return;
  auto link = std::make_unique<LinkRecord>();
  link->valueStart = open;
  link->valueEnd = close;
  link->attribute.assign(name);
  link->type = LinkType::Local;
  links.insertSorted(std::move(link));
}

void HtmlScanner::extractNotedLinks(const char *text, const char *end) {
  const std::int32_t n = bufferLength(text, end);
  for (const NotedLinkValue &value : notedValues_) {
    // Values noted on another text are skipped where they do not fit this one.
    if (value.nameStart < 0 || value.nameSize <= 0 ||
        value.nameStart + value.nameSize > value.open || value.open >= value.close ||
        value.close >= n)
      continue;
    addAttributeLink(text, value.nameStart, value.nameSize, value.open, value.close);
  }
  extractAbsolute(text, end);
}

void HtmlScanner::extractAbsolute(const char *text, const char *end) {
  const std::int32_t n = textLength(text, end);
  std::int32_t pos = startsWith(text, 0, n, "://") ? 3 : 0;
  std::vector<LinkRecord> found; // In ascending order of valueStart by construction.
  UrlWalk walk(text, n);
  for (;;) {
    const std::int32_t mark = findText(text, pos, n, "://");
    if (mark < 0) break;
    const std::int32_t from = pos;
    const std::int32_t value = mark + 3;
    pos = value;
    std::int32_t i = mark - 1;
    while (i >= from && isLetter(text[i]))
      --i;
    if (i == mark - 1) continue; // No scheme before `://`.
    while (i >= from && text[i] == ' ')
      --i;
    if (i < from) continue;
    char closing = 0;
    switch (text[i]) {
    case '"':
      closing = '"';
      break;
    case '(':
      closing = ')';
      break;
    case '=':
      closing = ' ';
      break;
    default:
      continue;
    }
    if (value >= n || !isUrlChar(text[value])) continue;
    const std::int32_t stop = walk.stop(value, closing);
    if (stop > value && stop < n && text[stop] == closing) {
      LinkRecord link;
      link.valueStart = i + 1;
      link.valueEnd = stop;
      link.type = LinkType::Remote;
      found.push_back(std::move(link));
    }
  }
  links.mergeSorted(std::move(found));
}

void HtmlScanner::extractLinks(const char *text, const char *end) {
  for (const auto &segment : *this)
    if (segment && segment->kind == SegmentKind::NormalTag) extractFromTag(text, end, *segment);
  extractAbsolute(text, end);
}

} // namespace linkmoor
