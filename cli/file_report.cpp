#include "cli/file_report.h"

#include "storage/file_name_text.h"

#include <cstdio>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace linkmoor::cli {

int FileReport::brokenLinks() const {
  return summary.localLinksMissing + summary.siteLinksMissing + summary.remoteLinksMissing;
}

bool FileReport::unreadable() const {
  return !analysed && (summary.sizeText == "open" || summary.sizeText == "read");
}

namespace {

std::string pair(int count, int errors) {
  return std::to_string(count) + "/" + std::to_string(errors);
}

// Right-aligned in `width` characters; a wider text still keeps one blank in
// front, so that two numbers never run together.
std::string column(const std::string &text, int width) {
  if (static_cast<int>(text.size()) >= width) return " " + text;
  return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

// What the status word of a file that was not analysed means.
std::string notAnalysedReason(const std::string &word) {
  if (word == "open") return " (the file cannot be opened)";
  if (word == "empty") return " (the file is empty)";
  if (word == "read") return " (the file cannot be read whole)";
  if (word == "binary") return " (the file holds zero bytes: not a text page)";
  return "";
}

std::string padRight(const std::string &text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

const char kHexDigits[] = "0123456789abcdef";

void appendUnicodeEscape(std::string &out, unsigned code) {
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4)
    out.push_back(kHexDigits[(code >> shift) & 0xF]);
}

// Where the run of printable ASCII but `"` and `\\` from `pos` on ends in `bytes`.
std::size_t plainAsciiEnd(std::string_view bytes, std::size_t pos) {
  const char *text = bytes.data();
  const std::size_t size = bytes.size();
#ifdef __SSE2__
  // Signed bytes: below the blank are the control characters and every byte above 127.
  const __m128i blank = _mm_set1_epi8(' ');
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i del = _mm_set1_epi8(0x7F);
  for (; pos + 16 <= size; pos += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + pos));
    const __m128i stop =
        _mm_or_si128(_mm_or_si128(_mm_cmplt_epi8(v, blank), _mm_cmpeq_epi8(v, del)),
                     _mm_or_si128(_mm_cmpeq_epi8(v, quote), _mm_cmpeq_epi8(v, backslash)));
    const int mask = _mm_movemask_epi8(stop);
    if (mask != 0)
      return pos + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; pos < size; ++pos) {
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') break;
  }
  return pos;
}

// A JSON string of `bytes`: quotes, backslashes and control characters escaped,
// valid UTF-8 kept, and every byte of the carried form (a byte that is no UTF-8,
// or a character of the carried range itself) written as the escape of U+EF00 +
// byte, so that a reader gets the exact bytes back and the line stays valid JSON.
void appendJsonString(std::string &out, std::string_view bytes) {
  out.push_back('"');
  for (std::size_t pos = 0; pos < bytes.size();) {
    // Printable ASCII but the two escaped characters goes out as it stands, a
    // run at a time: most of a report is made of it.
    const std::size_t plain = plainAsciiEnd(bytes, pos);
    if (plain > pos) {
      out.append(bytes.data() + pos, plain - pos);
      pos = plain;
      if (pos == bytes.size()) break;
    }
    char32_t code = 0;
    const std::size_t length = linkmoor::utf8CharAt(bytes.substr(pos), code);
    const bool carried =
        length == 0 || (code >= kCarriedByteBase + 0x80 && code <= kCarriedByteBase + 0xFF);
    if (carried) {
      const std::size_t count = length > 0 ? length : 1;
      for (std::size_t i = 0; i < count; ++i)
        appendUnicodeEscape(out, kCarriedByteBase + static_cast<unsigned char>(bytes[pos + i]));
      pos += count;
      continue;
    }
    switch (code) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    default:
      if (code < 0x20 || (code >= 0x7F && code <= 0x9F))
        appendUnicodeEscape(out, static_cast<unsigned>(code));
      else
        out.append(bytes.substr(pos, length));
    }
    pos += length;
  }
  out.push_back('"');
}

void appendJsonField(std::string &out, const char *name, std::string_view value) {
  if (out.size() > 1) out.push_back(',');
  appendJsonString(out, name);
  out.push_back(':');
  appendJsonString(out, value);
}

void appendJsonField(std::string &out, const char *name, long long value) {
  if (out.size() > 1) out.push_back(',');
  appendJsonString(out, name);
  out.push_back(':');
  out += std::to_string(value);
}

} // namespace

std::string formatTextHead(const FileReport &r) {
  // Names and page text go through readableText: a control character in them
  // must neither reach the terminal nor start a line of its own.
  std::string out = readableText(r.file) + "\n";
  if (!r.analysed)
    return out + "    " + readableText(r.summary.sizeText) + notAnalysedReason(r.summary.sizeText) +
           "\n";
  const FileSummary &s = r.summary;
  const char *siteColumn = r.remote ? "S-link/err" : "F-link/err";
  out += "    " + column("Bytes", 9) + column("errs", 6) + column("TAG/err", 10) +
         column("Script/err", 12) + column("L-link/err", 12) + column(siteColumn, 12) +
         column("R-link/err", 12) + "\n";
  out += "    " + column(std::to_string(s.size), 9) + column(std::to_string(s.errorTotal()), 6) +
         column(pair(s.tags, s.tagErrors), 10) + column(pair(s.scripts, s.scriptErrors), 12);
  if (!r.hasSyntaxErrors())
    out += column(pair(s.localLinks, s.localLinksMissing), 12) +
           column(pair(s.siteLinks, s.siteLinksMissing), 12) +
           column(pair(s.remoteLinks, s.remoteLinksMissing), 12);
  out += "\n";
  if (r.notChecked > 0)
    out += "    " + std::to_string(r.notChecked) + (r.notChecked == 1 ? " link" : " links") +
           " not checked\n";
  return out;
}

void appendTextRow(std::string &out, const RowView &row) {
  out += "    line ";
  out += column(std::to_string(row.line), 5);
  out += "  ";
  out += padRight(std::string(row.type), 12);
  out += "  ";
  out += padRight(std::string(row.error), 35);
  out += "  ";
  out += readableText(row.excerpt);
  if (row.linkRow && row.target != row.excerpt) {
    out += "  ->  ";
    out += readableText(row.target);
  }
  out += "\n";
}

namespace {

RowView viewOf(const ReportRow &row) {
  return {row.line, row.type, row.error, row.excerpt, row.target, row.linkRow};
}

} // namespace

std::string formatText(const FileReport &r) {
  std::string out = formatTextHead(r);
  if (!r.analysed) return out;
  for (const ReportRow &row : r.rows)
    appendTextRow(out, viewOf(row));
  return out;
}

std::string formatJsonHead(const FileReport &r) {
  const FileSummary &s = r.summary;
  std::string j = "{";
  appendJsonField(j, "file", r.file);
  appendJsonField(j, "sizeText", s.sizeText);
  appendJsonField(j, "size", s.size);
  appendJsonField(j, "tags", s.tags);
  appendJsonField(j, "tagErrors", s.tagErrors);
  appendJsonField(j, "scripts", s.scripts);
  appendJsonField(j, "scriptErrors", s.scriptErrors);
  appendJsonField(j, "localLinks", s.localLinks);
  appendJsonField(j, "localLinksMissing", s.localLinksMissing);
  appendJsonField(j, "siteLinks", s.siteLinks);
  appendJsonField(j, "siteLinksMissing", s.siteLinksMissing);
  appendJsonField(j, "remoteLinks", s.remoteLinks);
  appendJsonField(j, "remoteLinksMissing", s.remoteLinksMissing);
  appendJsonField(j, "notChecked", r.notChecked);
  return j + ",\"rows\":[";
}

void appendJsonRow(std::string &out, const RowView &row, bool first) {
  if (!first) out.push_back(',');
  out += "{\"line\":";
  out += std::to_string(row.line);
  out += ",";
  appendJsonString(out, "type");
  out.push_back(':');
  appendJsonString(out, row.type);
  out.push_back(',');
  appendJsonString(out, "error");
  out.push_back(':');
  appendJsonString(out, row.error);
  out.push_back(',');
  appendJsonString(out, "excerpt");
  out.push_back(':');
  appendJsonString(out, row.excerpt);
  out.push_back(',');
  appendJsonString(out, "target");
  out.push_back(':');
  appendJsonString(out, row.target);
  out.push_back('}');
}

std::string formatJson(const FileReport &r) {
  std::string j = formatJsonHead(r);
  bool first = true;
  for (const ReportRow &row : r.rows) {
    appendJsonRow(j, viewOf(row), first);
    first = false;
  }
  return j + kJsonTail;
}

void RunTotals::add(const FileReport &r) {
  ++files;
  syntaxErrors += r.summary.tagErrors + r.summary.scriptErrors;
  brokenLinks += r.brokenLinks();
  notChecked += r.notChecked;
  if (r.unreadable()) ++unreadable;
}

void RunTotals::add(const RunTotals &other) {
  files += other.files;
  syntaxErrors += other.syntaxErrors;
  brokenLinks += other.brokenLinks;
  notChecked += other.notChecked;
  unreadable += other.unreadable;
}

std::string formatTotals(const RunTotals &t) {
  auto counted = [](int n, const char *one, const char *many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  std::string out = counted(t.files, "file", "files") + ", " +
                    counted(t.syntaxErrors, "syntax error", "syntax errors") + ", " +
                    counted(t.brokenLinks, "broken link", "broken links");
  if (t.notChecked > 0) out += ", " + counted(t.notChecked, "link", "links") + " not checked";
  if (t.unreadable > 0) out += ", " + std::to_string(t.unreadable) + " unreadable";
  return out + "\n";
}

} // namespace linkmoor::cli
