#include "storage/file_name_text.h"

#include "storage/page_text_codec.h"

namespace linkmoor {

namespace {

const char kHex[] = "0123456789ABCDEF";

bool isCarriedCode(char32_t code) {
  return code >= kCarriedByteBase + 0x80 && code <= kCarriedByteBase + 0xFF;
}

void appendHexByte(std::string &out, unsigned char byte) {
  out += "\\x";
  out.push_back(kHex[byte >> 4]);
  out.push_back(kHex[byte & 0xF]);
}

} // namespace

std::size_t utf8CharAt(std::string_view bytes, char32_t &code) {
  if (bytes.empty()) return 0;
  const auto b0 = static_cast<unsigned char>(bytes[0]);
  if (b0 < 0x80) {
    code = b0;
    return 1;
  }
  std::size_t length = 0;
  char32_t value = 0, least = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2, value = b0 & 0x1F, least = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3, value = b0 & 0x0F, least = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4, value = b0 & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if ((b & 0xC0) != 0x80) return 0;
    value = (value << 6) | (b & 0x3F);
  }
  if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  code = value;
  return length;
}

std::string carriedText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t code = 0;
    const std::size_t length = utf8CharAt(bytes.substr(pos), code);
    if (length > 0 && !isCarriedCode(code)) {
      out.append(bytes.substr(pos, length));
      pos += length;
      continue;
    }
    // A byte that is no character, or each byte of a character of the carried
    // range itself.
    const std::size_t count = length > 0 ? length : 1;
    for (std::size_t i = 0; i < count; ++i)
      appendUtf8(out, kCarriedByteBase + static_cast<unsigned char>(bytes[pos + i]));
    pos += count;
  }
  return out;
}

std::string bytesOfCarried(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t code = 0;
    const std::size_t length = utf8CharAt(text.substr(pos), code);
    if (length == 0) {
      out.push_back(text[pos++]);
    } else {
      if (isCarriedCode(code))
        out.push_back(static_cast<char>(code - kCarriedByteBase));
      else
        out.append(text.substr(pos, length));
      pos += length;
    }
  }
  return out;
}

bool holdsCarriedBytes(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    char32_t code = 0;
    const std::size_t length = utf8CharAt(text.substr(pos), code);
    if (length > 0 && isCarriedCode(code)) return true;
    pos += length > 0 ? length : 1;
  }
  return false;
}

std::string readableText(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    char32_t code = 0;
    const std::size_t length = utf8CharAt(bytes.substr(pos), code);
    if (length == 0) {
      appendHexByte(out, static_cast<unsigned char>(bytes[pos++]));
      continue;
    }
    if (code < 0x20 || code == 0x7F) {
      appendHexByte(out, static_cast<unsigned char>(code));
    } else if (code >= 0x80 && code <= 0x9F) {
      out += "\\u00";
      out.push_back(kHex[code >> 4]);
      out.push_back(kHex[code & 0xF]);
    } else {
      out.append(bytes.substr(pos, length));
    }
    pos += length;
  }
  return out;
}

} // namespace linkmoor
