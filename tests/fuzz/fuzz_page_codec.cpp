// The page codec both ways. Bytes: the detected encoding decodes them and
// encodes the characters back to the same bytes. Characters (the input read as
// UTF-16 units): UTF-8 takes every text without a lone surrogate and Latin-1
// every text up to U+00FF, and decoding what was written gives the text back.
#include "fuzz_support.h"
#include "storage/page_text_codec.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace linkmoor;

bool hasLoneSurrogate(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      if (i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        ++i;
        continue;
      }
      return true;
    }
    if (unit >= 0xDC00 && unit <= 0xDFFF) return true;
  }
  return false;
}

void bytesRoundTrip(std::string_view bytes) {
  const PageEncoding encoding = detectPageEncoding(bytes);
  LINKMOOR_FUZZ_CHECK((encoding == PageEncoding::Utf8) == isValidUtf8(bytes),
                      "detection disagrees with validation");
  const std::u16string text = decodePage(bytes, encoding);
  std::string back;
  const PageEncodeResult result = encodePage(text, encoding, back);
  LINKMOOR_FUZZ_CHECK(result.ok, "decoded page text does not encode");
  LINKMOOR_FUZZ_CHECK(back == bytes, "a page does not come back byte for byte");
  // Invalid bytes read as UTF-8 become U+FFFD, which UTF-8 always holds.
  const std::u16string replaced = decodePage(bytes, PageEncoding::Utf8);
  LINKMOOR_FUZZ_CHECK(encodePage(replaced, PageEncoding::Utf8, back).ok,
                      "replaced text does not encode");
  LINKMOOR_FUZZ_CHECK(isValidUtf8(back), "the encoder wrote invalid UTF-8");
}

void textRoundTrip(std::u16string_view text) {
  std::string bytes;
  const PageEncodeResult utf8 = encodePage(text, PageEncoding::Utf8, bytes);
  LINKMOOR_FUZZ_CHECK(utf8.ok == !hasLoneSurrogate(text), "UTF-8 refused the wrong texts");
  if (utf8.ok) {
    LINKMOOR_FUZZ_CHECK(isValidUtf8(bytes), "the encoder wrote invalid UTF-8");
    LINKMOOR_FUZZ_CHECK(decodePage(bytes, PageEncoding::Utf8) == text,
                        "UTF-8 text does not come back");
  } else {
    LINKMOOR_FUZZ_CHECK(bytes.empty(), "a failed encoding left bytes");
    LINKMOOR_FUZZ_CHECK(utf8.badIndex < text.size(), "the bad index lies outside the text");
  }
  bool latin = true;
  for (const char16_t unit : text)
    latin = latin && unit <= 0xFF;
  const PageEncodeResult latin1 = encodePage(text, PageEncoding::Latin1, bytes);
  LINKMOOR_FUZZ_CHECK(latin1.ok == latin, "Latin-1 refused the wrong texts");
  if (latin1.ok) {
    LINKMOOR_FUZZ_CHECK(bytes.size() == text.size(), "Latin-1 wrote other than a byte a unit");
    LINKMOOR_FUZZ_CHECK(decodePage(bytes, PageEncoding::Latin1) == text,
                        "Latin-1 text does not come back");
  } else {
    LINKMOOR_FUZZ_CHECK(latin1.badIndex < text.size() && text[latin1.badIndex] > 0xFF,
                        "the bad index names no offending unit");
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size > 1 << 20) return 0;
  const std::string_view bytes(reinterpret_cast<const char *>(data), size);
  bytesRoundTrip(bytes);
  std::u16string text(size / 2, u'\0');
  for (std::size_t i = 0; i < text.size(); ++i)
    text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  textRoundTrip(text);
  return 0;
}
