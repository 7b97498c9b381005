#pragma once
// Bounded searches over the 8-bit page text. Every function here looks only at
// [from, to) of the text it is given and reports "not found" as -1; positions
// are byte offsets. Bytes above 127 are plain bytes: no locale is consulted.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace linkmoor::scantext {

/// Size of [text, end), at most INT32_MAX bytes (offsets are 32-bit).
inline std::int32_t bufferLength(const char *text, const char *end) {
  if (!text || !end || end <= text) return 0;
  const auto size = static_cast<std::size_t>(end - text);
  const auto limit = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
  return static_cast<std::int32_t>(size > limit ? limit : size);
}

/// Length of the text: up to its first zero byte or `end`, at most INT32_MAX bytes.
/// Looks at the whole text: for once-per-text steps only.
inline std::int32_t textLength(const char *text, const char *end) {
  const std::int32_t size = bufferLength(text, end);
  if (size == 0) return 0;
  const void *zero = std::memchr(text, 0, static_cast<std::size_t>(size));
  return zero ? static_cast<std::int32_t>(static_cast<const char *>(zero) - text) : size;
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
  while (from < to && isBlank(text[from]))
    ++from;
  return from;
}

/// First `c` in [from, to), or -1. The first 64 bytes are looked at inline:
/// most searches in markup end within them, and a library call costs more.
inline std::int32_t findByte(const char *text, std::int32_t from, std::int32_t to, char c) {
#ifdef __SSE2__
  const __m128i wanted = _mm_set1_epi8(c);
  for (int step = 0; step < 4 && to - from >= 16; ++step, from += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + from));
    const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(v, wanted));
    if (mask) return from + __builtin_ctz(static_cast<unsigned>(mask));
  }
#endif
  if (from >= to) return -1;
  const void *hit = std::memchr(text + from, c, static_cast<std::size_t>(to - from));
  return hit ? static_cast<std::int32_t>(static_cast<const char *>(hit) - text) : -1;
}

/// First position in [from, to) holding one of `Bytes`, or -1. Looks at 16
/// bytes at a time where SSE2 is there (it always is on x86-64).
template <char... Bytes>
inline std::int32_t findAnyOf(const char *text, std::int32_t from, std::int32_t to) {
#ifdef __SSE2__
  while (to - from >= 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + from));
    __m128i hits = _mm_setzero_si128();
    ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(v, _mm_set1_epi8(Bytes)))), ...);
    const int mask = _mm_movemask_epi8(hits);
    if (mask) return from + __builtin_ctz(static_cast<unsigned>(mask));
    from += 16;
  }
#endif
  for (; from < to; ++from)
    if (((text[from] == Bytes) || ...)) return from;
  return -1;
}

/// Bytes in [from, to) equal to one of `Bytes`, 16 at a time where SSE2 is there.
template <char... Bytes>
inline std::uint64_t countAnyOf(const char *text, std::size_t from, std::size_t to) {
  std::uint64_t count = 0;
#ifdef __SSE2__
  while (to - from >= 16) {
    // Each lane counts down by one per hit (a hit is -1); 255 rounds cannot wrap it.
    __m128i lanes = _mm_setzero_si128();
    for (int round = 0; round < 255 && to - from >= 16; ++round, from += 16) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + from));
      __m128i hits = _mm_setzero_si128();
      ((hits = _mm_or_si128(hits, _mm_cmpeq_epi8(v, _mm_set1_epi8(Bytes)))), ...);
      lanes = _mm_sub_epi8(lanes, hits);
    }
    alignas(16) std::uint64_t sums[2];
    _mm_store_si128(reinterpret_cast<__m128i *>(sums), _mm_sad_epu8(lanes, _mm_setzero_si128()));
    count += sums[0] + sums[1];
  }
#endif
  for (; from < to; ++from)
    count += ((text[from] == Bytes) || ...);
  return count;
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
