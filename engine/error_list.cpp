#include "engine/error_list.h"

#include "engine/record_growth.h"
#include "engine/text_bounds.h"

#include <algorithm>
#include <memory>

namespace linkmoor {

namespace {

// Counts line feeds while moving forward through the text, so that filling a
// list stays one pass however many rows it gets.
class LineCounter {
public:
  LineCounter(const char *text, std::int32_t length) : text_(text), length_(length) {}

  std::int32_t lineAt(std::int32_t pos) {
    pos = std::clamp(pos, 0, length_);
    if (pos < pos_) { // Rows are in text order; start over if one is not.
      pos_ = 0;
      line_ = 0;
    }
    line_ += static_cast<std::int32_t>(scantext::countAnyOf<'\n'>(
        text_, static_cast<std::size_t>(pos_), static_cast<std::size_t>(pos)));
    pos_ = pos;
    return line_;
  }

private:
  const char *text_;
  std::int32_t length_;
  std::int32_t pos_ = 0;
  std::int32_t line_ = 0;
};

} // namespace

void visitSegmentRows(const RecordArray<MarkupSegment> &segments, const char *text, const char *end,
                      const RowVisitor &visit) {
  const std::int32_t length = scantext::textLength(text, end);
  LineCounter lines(text, length);
  ErrorRecord row;
  for (const auto &segment : segments) {
    if (!segment || !segment->hasError()) continue;
    row.line = lines.lineAt(segment->errorPos);
    row.type = static_cast<std::uint8_t>(segment->kind);
    row.code = static_cast<std::uint8_t>(segment->errorCode);
    const std::int32_t from = std::clamp(segment->start, 0, length);
    const std::int32_t to = std::clamp(segment->end, from, length);
    row.excerpt.assign(text + from,
                       static_cast<std::size_t>(std::min(to - from, ErrorList::excerptLimit)));
    for (char &c : row.excerpt)
      if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    visit(row);
  }
}

void visitLinkRows(const LinkList &links, const char *text, const char *end,
                   const RowVisitor &visit) {
  const std::int32_t length = scantext::textLength(text, end);
  LineCounter lines(text, length);
  ErrorRecord row;
  for (const auto &link : links) {
    if (!link || link->status == LinkStatus::Found) continue;
    row.line = lines.lineAt(link->valueStart);
    row.type = static_cast<std::uint8_t>(link->type);
    row.code = static_cast<std::uint8_t>(static_cast<std::int32_t>(link->status) & 0xff);
    std::int32_t from = std::clamp(link->valueStart, 0, length);
    const std::int32_t to = std::clamp(link->valueEnd, 0, length);
    if (from < to && (text[from] == '"' || text[from] == '\'')) ++from;
    row.excerpt.clear();
    if (from < to) row.excerpt.assign(text + from, static_cast<std::size_t>(to - from));
    row.target = link->target;
    visit(row);
  }
}

void ErrorList::fillFromSegments(const RecordArray<MarkupSegment> &segments, const char *text,
                                 const char *end) {
  linkRows = 0;
  visitSegmentRows(segments, text, end, [this](const ErrorRecord &row) {
    appendRecord(*this, std::make_unique<ErrorRecord>(row));
  });
}

void ErrorList::fillFromLinks(const LinkList &links, const char *text, const char *end) {
  linkRows = 1;
  visitLinkRows(links, text, end, [this](const ErrorRecord &row) {
    appendRecord(*this, std::make_unique<ErrorRecord>(row));
  });
}

RowTexts kindText(const ErrorRecord &record) {
  return {segmentKindText(record.type), syntaxErrorText(record.code)};
}

RowTexts linkText(const ErrorRecord &record) {
  return {linkTypeText(record.type), linkStatusText(record.code)};
}

} // namespace linkmoor
