#include "storage/page_text_codec.h"

namespace linkmoor {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Reads one UTF-8 sequence at `bytes[i]`. Returns its length and stores the
// code point, or returns 0 when the sequence is malformed.
std::size_t readSequence(std::string_view bytes, std::size_t i, char32_t &code) {
  const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[i + k]); };
  const std::size_t left = bytes.size() - i;
  const unsigned char lead = at(0);
  if (lead < 0x80) {
    code = lead;
    return 1;
  }
  std::size_t length;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, code = lead & 0x07;
  } else {
    return 0; // continuation byte, C0/C1 (always overlong) or F5..FF
  }
  if (left < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if (!isContinuation(at(k))) return 0;
    code = (code << 6) | (at(k) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

void appendUtf16(std::u16string &out, char32_t code) {
  if (code < 0x10000) {
    out.push_back(static_cast<char16_t>(code));
  } else {
    code -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
  }
}

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

PageEncodeResult failAt(std::size_t index, char32_t character, std::string &bytes) {
  bytes.clear();
  return {false, index, character};
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
  char32_t code;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = readSequence(bytes, i, code);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

PageEncoding detectPageEncoding(std::string_view bytes) {
  return isValidUtf8(bytes) ? PageEncoding::Utf8 : PageEncoding::Latin1;
}

std::u16string decodePage(std::string_view bytes, PageEncoding encoding) {
  std::u16string text;
  text.reserve(bytes.size());
  if (encoding == PageEncoding::Latin1) {
    for (char c : bytes)
      text.push_back(static_cast<unsigned char>(c));
    return text;
  }
  char32_t code;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = readSequence(bytes, i, code);
    if (length == 0) {
      text.push_back(kReplacement);
      ++i;
    } else {
      appendUtf16(text, code);
      i += length;
    }
  }
  return text;
}

PageEncodeResult encodePage(std::u16string_view text, PageEncoding encoding, std::string &bytes) {
  bytes.clear();
  bytes.reserve(text.size());
  if (encoding == PageEncoding::Latin1) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char16_t unit = text[i];
      if (unit > 0xFF) {
        char32_t character = unit;
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
          character = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
        return failAt(i, character, bytes);
      }
      bytes.push_back(static_cast<char>(unit));
    }
    return {};
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (isHighSurrogate(unit)) {
      if (i + 1 >= text.size() || !isLowSurrogate(text[i + 1])) return failAt(i, unit, bytes);
      appendUtf8(bytes, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (isLowSurrogate(unit)) {
      return failAt(i, unit, bytes);
    } else {
      appendUtf8(bytes, unit);
    }
  }
  return {};
}

const char *pageEncodingName(PageEncoding encoding) {
  return encoding == PageEncoding::Utf8 ? "UTF-8" : "Latin-1";
}

void appendUtf8(std::string &out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

} // namespace linkmoor
