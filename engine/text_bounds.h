#pragma once
// Bounded searches over the 8-bit page text. Every function here looks only at
// [from, to) of the text it is given and reports "not found" as -1; positions
// are byte offsets. Bytes above 127 are plain bytes: no locale is consulted.

#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

namespace linkmoor::scantext {

/// Length of the text: up to its first zero byte or `end`, at most INT32_MAX bytes.
inline std::int32_t textLength(const char *text, const char *end) {
  if (!text || !end || end <= text) return 0;
  std::size_t size = static_cast<std::size_t>(end - text);
  const std::size_t limit = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
  if (size > limit) size = limit;
  const void *zero = std::memchr(text, 0, size);
  if (zero) size = static_cast<std::size_t>(static_cast<const char *>(zero) - text);
  return static_cast<std::int32_t>(size);
}

/// Space, tab, carriage return or line feed.
inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

/// `a`..`z` or `A`..`Z`.
inline bool isLetter(char c) {
  const unsigned folded = static_cast<unsigned char>(c) | 0x20u;
  return folded - 'a' < 26u;
}

/// First position at or after `from` that is not a blank, or `to`.
inline std::int32_t skipBlanks(const char *text, std::int32_t from, std::int32_t to) {
  while (from < to && isBlank(text[from])) ++from;
  return from;
}

/// First `c` in [from, to), or -1.
inline std::int32_t findByte(const char *text, std::int32_t from, std::int32_t to, char c) {
  if (from >= to) return -1;
  const void *hit = std::memchr(text + from, c, static_cast<std::size_t>(to - from));
  return hit ? static_cast<std::int32_t>(static_cast<const char *>(hit) - text) : -1;
}

/// First occurrence of `needle` lying wholly inside [from, to), or -1.
inline std::int32_t findText(const char *text, std::int32_t from, std::int32_t to,
                             std::string_view needle) {
  const auto size = static_cast<std::int32_t>(needle.size());
  if (size == 0) return from <= to ? from : -1;
  while (to - from >= size) {
    const std::int32_t hit = findByte(text, from, to - size + 1, needle[0]);
    if (hit < 0) return -1;
    if (std::memcmp(text + hit + 1, needle.data() + 1, needle.size() - 1) == 0) return hit;
    from = hit + 1;
  }
  return -1;
}

/// True when `needle` lies at `pos` and wholly before `to`.
inline bool startsWith(const char *text, std::int32_t pos, std::int32_t to,
                       std::string_view needle) {
  return pos >= 0 && to - pos >= static_cast<std::int32_t>(needle.size()) &&
         std::memcmp(text + pos, needle.data(), needle.size()) == 0;
}

} // namespace linkmoor::scantext
