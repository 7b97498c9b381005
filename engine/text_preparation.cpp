// Whole-text steps around the scan: lower-casing before it, and after the
// syntax results were taken, blanking what the link phase must not see,
// restoring the letter case and turning backslashes into slashes.
#include "engine/html_scanner.h"

#include "engine/text_bounds.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
  for (std::int32_t i = from; i < to; ++i)
    text[i] = text[i] == '\n' ? '\n' : ' ';
}

} // namespace

void HtmlScanner::lowerCase(char *text, const char *end) {
  const std::int32_t length = bufferLength(text, end);
  std::int32_t i = 0;
#ifdef __SSE2__
  const __m128i beforeA = _mm_set1_epi8('A' - 1);
  const __m128i afterZ = _mm_set1_epi8('Z' + 1);
  const __m128i caseBit = _mm_set1_epi8(0x20);
  for (; i + 16 <= length; i += 16) {
    auto *at = reinterpret_cast<__m128i *>(text + i);
    const __m128i v = _mm_loadu_si128(at);
    // Signed compares: bytes above 127 are negative and never capitals.
    const __m128i capital = _mm_and_si128(_mm_cmpgt_epi8(v, beforeA), _mm_cmplt_epi8(v, afterZ));
    _mm_storeu_si128(at, _mm_or_si128(v, _mm_and_si128(capital, caseBit)));
  }
#endif
  for (; i < length; ++i) {
    const unsigned c = static_cast<unsigned char>(text[i]);
    text[i] = static_cast<char>(c - 'A' < 26u ? c + ('a' - 'A') : c);
  }
}

std::int32_t HtmlScanner::lowerCaseCopy(const char *text, std::int32_t length, char *out) {
  std::int32_t i = 0;
#ifdef __SSE2__
  const __m128i zero = _mm_setzero_si128();
  const __m128i beforeA = _mm_set1_epi8('A' - 1);
  const __m128i afterZ = _mm_set1_epi8('Z' + 1);
  const __m128i caseBit = _mm_set1_epi8(0x20);
  for (; i + 16 <= length; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)) != 0) break; // the bytes below find it
    const __m128i capital = _mm_and_si128(_mm_cmpgt_epi8(v, beforeA), _mm_cmplt_epi8(v, afterZ));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(out + i),
                     _mm_or_si128(v, _mm_and_si128(capital, caseBit)));
  }
#endif
  for (; i < length && text[i] != '\0'; ++i) {
    const unsigned c = static_cast<unsigned char>(text[i]);
    out[i] = static_cast<char>(c - 'A' < 26u ? c + ('a' - 'A') : c);
  }
  return i;
}

void HtmlScanner::blankForLinks(char *text, const char *end, bool keepLineFeeds) const {
  // The segments came from the scan, which stopped at the text's end; the
  // buffer size only keeps foreign segments in bounds.
  const std::int32_t length = bufferLength(text, end);
  // Comments and script comments keep their line feeds on request, script end
  // tags never do. The ranges of different segments do not overlap, so one
  // walk does both in any order.
  for (const auto &segment : *this) {
    if (!segment) continue;
    switch (segment->kind) {
    case SegmentKind::ScriptCode:
      for (const auto &span : segment->spans())
        if (span) blankRange(text, length, span->start, span->end, keepLineFeeds);
      break;
    case SegmentKind::Comment:
      blankRange(text, length, segment->start, segment->end, keepLineFeeds);
      break;
    case SegmentKind::NormalCode:
    case SegmentKind::EndTag:
      blankRange(text, length, segment->start, segment->end, false);
      break;
    default:
      break;
    }
  }
}

void HtmlScanner::restoreCase(char *work, const char *workEnd, const char *loaded,
                              const char *loadedEnd) {
  const std::int32_t length =
      std::min(bufferLength(work, workEnd), bufferLength(loaded, loadedEnd));
  std::int32_t i = 0;
#ifdef __SSE2__
  const __m128i space = _mm_set1_epi8(' ');
  for (; i + 16 <= length; i += 16) {
    auto *at = reinterpret_cast<__m128i *>(work + i);
    const __m128i w = _mm_loadu_si128(at);
    const __m128i l = _mm_loadu_si128(reinterpret_cast<const __m128i *>(loaded + i));
    const __m128i blank = _mm_cmpeq_epi8(w, space);
    _mm_storeu_si128(at, _mm_or_si128(_mm_and_si128(blank, space), _mm_andnot_si128(blank, l)));
  }
#endif
  for (; i < length; ++i)
    work[i] = work[i] == ' ' ? ' ' : loaded[i];
}

void HtmlScanner::restoreCaseAndSlashes(char *work, const char *workEnd, const char *loaded,
                                        const char *loadedEnd) {
  const std::int32_t workLength = bufferLength(work, workEnd);
  const std::int32_t length = std::min(workLength, bufferLength(loaded, loadedEnd));
  std::int32_t i = 0;
#ifdef __SSE2__
  const __m128i space = _mm_set1_epi8(' ');
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i flip = _mm_set1_epi8('\\' ^ '/');
  for (; i + 16 <= length; i += 16) {
    auto *at = reinterpret_cast<__m128i *>(work + i);
    const __m128i w = _mm_loadu_si128(at);
    const __m128i l = _mm_loadu_si128(reinterpret_cast<const __m128i *>(loaded + i));
    const __m128i blank = _mm_cmpeq_epi8(w, space);
    const __m128i v = _mm_or_si128(_mm_and_si128(blank, space), _mm_andnot_si128(blank, l));
    _mm_storeu_si128(at, _mm_xor_si128(v, _mm_and_si128(_mm_cmpeq_epi8(v, backslash), flip)));
  }
#endif
  for (; i < length; ++i) {
    const char c = work[i] == ' ' ? ' ' : loaded[i];
    work[i] = c == '\\' ? '/' : c;
  }
  slashes(work + i, workEnd);
}

void HtmlScanner::slashes(char *text, const char *end) {
  const std::int32_t length = bufferLength(text, end);
  std::int32_t i = 0;
#ifdef __SSE2__
  const __m128i backslash = _mm_set1_epi8('\\');
  const __m128i flip = _mm_set1_epi8('\\' ^ '/');
  for (; i + 16 <= length; i += 16) {
    auto *at = reinterpret_cast<__m128i *>(text + i);
    const __m128i v = _mm_loadu_si128(at);
    _mm_storeu_si128(at, _mm_xor_si128(v, _mm_and_si128(_mm_cmpeq_epi8(v, backslash), flip)));
  }
#endif
  for (; i < length; ++i)
    text[i] = text[i] == '\\' ? '/' : text[i];
}

} // namespace linkmoor
