#include "engine/target_decoding.h"

#include "storage/page_text_codec.h"

#include <cstdint>
#include <strings.h>

namespace linkmoor {

namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;
constexpr std::uint32_t kLargestCodePoint = 0x10FFFF;

struct NamedReference {
  std::string_view name; // without '&' and ';'
  std::string_view bytes;
};

// Only the references that turn up in addresses; "nbsp" gives U+00A0 in UTF-8.
constexpr NamedReference kNamed[] = {
    {"amp", "&"},         {"lt", "<"},  {"gt", ">"}, {"quot", "\""}, {"apos", "'"},
    {"nbsp", "\xC2\xA0"}, {"AMP", "&"}, {"LT", "<"}, {"GT", ">"},    {"QUOT", "\""},
};

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Appends `code` as UTF-8; what is no character (zero, a surrogate, beyond
// U+10FFFF) becomes U+FFFD.
void appendCharacter(std::string &out, std::uint32_t code) {
  if (code == 0 || code > kLargestCodePoint || (code >= 0xD800 && code <= 0xDFFF))
    code = kReplacement;
  appendUtf8(out, static_cast<char32_t>(code));
}

// A numeric reference starting at text[at] == '&' ("&#" already seen). Returns the
// bytes consumed, or 0 when no digit follows.
std::size_t decodeNumeric(std::string_view text, std::size_t at, std::string &out) {
  std::size_t i = at + 2;
  const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  const int base = hex ? 16 : 10;
  const std::size_t digitsStart = i;
  std::uint32_t code = 0;
  bool tooLarge = false;
  while (i < text.size()) {
    const int digit =
        hex ? hexValue(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) break;
    // Keep consuming the digits of an oversized value without overflowing.
    if (!tooLarge) {
      code = code * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
      if (code > kLargestCodePoint) tooLarge = true;
    }
    ++i;
  }
  if (i == digitsStart) return 0;
  if (i < text.size() && text[i] == ';') ++i;
  appendCharacter(out, tooLarge ? kReplacement : code);
  return i - at;
}

std::size_t decodeNamed(std::string_view text, std::size_t at, std::string &out) {
  const std::string_view rest = text.substr(at + 1);
  for (const NamedReference &ref : kNamed) {
    if (rest.size() > ref.name.size() && rest.starts_with(ref.name) &&
        rest[ref.name.size()] == ';') {
      out += ref.bytes;
      return ref.name.size() + 2;
    }
  }
  return 0;
}

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

// The path of a file URL from its leading "/", or false when it names another host.
bool pathOfFileUrl(std::string_view url, std::string_view &path) {
  std::string_view rest = url.substr(5); // after "file:"
  if (rest.starts_with("//")) {
    const std::size_t pathStart = rest.find('/', 2);
    const std::string_view host =
        rest.substr(2, pathStart == std::string_view::npos ? rest.size() - 2 : pathStart - 2);
    if (pathStart == std::string_view::npos) return false;
    if (!host.empty() && !(host.size() == 9 && startsWithNoCase(host, "localhost"))) return false;
    rest.remove_prefix(pathStart);
  }
  if (rest.empty() || rest.front() != '/') return false;
  path = rest;
  return true;
}

} // namespace

std::string decodeCharacterReferences(std::string_view text) {
  if (text.find('&') == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t amp = text.find('&', i);
    if (amp == std::string_view::npos) {
      out.append(text.substr(i));
      break;
    }
    out.append(text.substr(i, amp - i));
    std::size_t used = 0;
    if (amp + 1 < text.size() && text[amp + 1] == '#')
      used = decodeNumeric(text, amp, out);
    else
      used = decodeNamed(text, amp, out);
    if (used == 0) {
      out += '&';
      used = 1;
    }
    i = amp + used;
  }
  return out;
}

namespace {

// Appends `text` to `out` with its `%XX` escapes decoded.
void appendPercentDecoded(std::string &out, std::string_view text) {
  if (text.find('%') == std::string_view::npos) {
    out.append(text);
    return;
  }
  out.reserve(out.size() + text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
        hexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
}

} // namespace

std::string decodePercentEscapes(std::string_view text) {
  std::string out;
  appendPercentDecoded(out, text);
  return out;
}

std::string httpAddressOfTarget(std::string_view target) {
  return decodeCharacterReferences(target);
}

bool diskPathOfTarget(std::string_view target, std::string &path) {
  path.clear();
  // Most targets hold no reference: they are read where they are, not copied.
  std::string decoded;
  std::string_view rest = target;
  if (target.find('&') != std::string_view::npos) {
    decoded = decodeCharacterReferences(target);
    rest = decoded;
  }
  while (!rest.empty() && isBlankOrControl(rest.front()))
    rest.remove_prefix(1);
  while (!rest.empty() && isBlankOrControl(rest.back()))
    rest.remove_suffix(1);
  if (startsWithNoCase(rest, "file:") && !pathOfFileUrl(rest, rest)) return false;
  // A plain loop: find_first_of calls memchr once per character of the text.
  for (std::size_t i = 0; i < rest.size(); ++i)
    if (rest[i] == '#' || rest[i] == '?') {
      rest = rest.substr(0, i);
      break;
    }
  appendPercentDecoded(path, rest);
  return true;
}

std::string escapeForDiskTarget(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::size_t first = 0;
  while (first < text.size() && text[first] == ' ')
    ++first;
  std::size_t last = text.size();
  while (last > first && text[last - 1] == ' ')
    --last;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const bool escaped = byte < 0x20 || byte == 0x7F || byte == '%' || byte == '&' || byte == '#' ||
                         byte == '?' || (byte == ' ' && (i < first || i >= last));
    if (escaped) {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += text[i];
    }
  }
  return out;
}

} // namespace linkmoor
