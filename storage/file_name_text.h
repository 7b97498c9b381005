#pragma once
// File names on this system are bytes, not text: a name need not be UTF-8. These
// helpers turn such bytes into text to show, and into a text that carries them
// through text-only layers (Qt strings, JSON) and gives them back unchanged.
//
// The carried form keeps every valid UTF-8 character as it is and writes each byte
// that is not part of one as the private-use character U+EF00 + byte (U+EF80 to
// U+EFFF). The characters of that private range that really stand in a name are
// written byte by byte the same way, so the mapping goes both ways without loss.

#include "storage/page_text_codec.h"

#include <string>
#include <string_view>

namespace linkmoor {

/// First private-use character of the carried form: byte b stands as U+EF00 + b.
inline constexpr char32_t kCarriedByteBase = 0xEF00;

/// Length of the valid UTF-8 character at the start of `bytes` and its value in
/// `code`; 0 when the first byte does not begin a valid character.
std::size_t utf8CharAt(std::string_view bytes, char32_t &code);

/// The carried form of `bytes` (valid UTF-8, reversible by `bytesOfCarried`).
std::string carriedText(std::string_view bytes);
/// The bytes a carried text stands for; text without carried characters is
/// returned as it is.
std::string bytesOfCarried(std::string_view text);
/// True when `text` holds a character of the carried range.
bool holdsCarriedBytes(std::string_view text);

/// `bytes` as text to show on one line: valid UTF-8 stays, every byte that is
/// not part of a valid character becomes "\xNN" (two upper-case hex digits), and
/// control characters (below 0x20, 0x7F, and U+0080 to U+009F) are written as
/// "\xNN" or "\u00NN", so that nothing reaches a terminal as a command and no
/// name can break a line.
std::string readableText(std::string_view bytes);

} // namespace linkmoor
