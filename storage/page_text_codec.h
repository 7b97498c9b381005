#pragma once
// Conversion between a page's bytes and the UTF-16 text the editor holds.
// A page that is valid UTF-8 is read as UTF-8; any other page is read as
// Latin-1, which maps every byte to one character, so no page is refused and
// an unedited text encodes back to the very bytes it came from.

#include <cstddef>
#include <string>
#include <string_view>

namespace linkmoor {

/// How a page's bytes are turned into characters and back.
enum class PageEncoding {
  Utf8,  ///< the bytes are valid UTF-8
  Latin1 ///< one byte per character, U+0000 to U+00FF
};

/// True when `bytes` is well-formed UTF-8: no stray continuation bytes, no
/// overlong forms, no encoded surrogates, nothing above U+10FFFF. The empty
/// text and plain ASCII are valid.
bool isValidUtf8(std::string_view bytes);

/// `PageEncoding::Utf8` when `bytes` is valid UTF-8, else `PageEncoding::Latin1`.
PageEncoding detectPageEncoding(std::string_view bytes);

/// The characters of `bytes` read in `encoding`. Bytes that are not valid
/// UTF-8 under `PageEncoding::Utf8` become U+FFFD each (detectPageEncoding
/// never chooses UTF-8 for such bytes).
std::u16string decodePage(std::string_view bytes, PageEncoding encoding);

/// Appends the UTF-8 bytes of the code point `code` (at most U+10FFFF) to `out`.
void appendUtf8(std::string &out, char32_t code);

/// Outcome of `encodePage`.
struct PageEncodeResult {
  bool ok = true;            ///< every character was written
  std::size_t badIndex = 0;  ///< when not ok: index in the text of the first offending unit
  char32_t badCharacter = 0; ///< when not ok: that character (a lone surrogate as itself)
};

/// Writes `text` in `encoding` into `bytes` (replacing its content). Fails,
/// leaving `bytes` empty, at the first character the encoding cannot hold: above
/// U+00FF for Latin-1, a lone surrogate for UTF-8. The text is never switched
/// to another encoding behind the caller's back.
PageEncodeResult encodePage(std::u16string_view text, PageEncoding encoding, std::string &bytes);

/// A short name of `encoding` for the user: "UTF-8" or "Latin-1".
const char *pageEncodingName(PageEncoding encoding);

} // namespace linkmoor
