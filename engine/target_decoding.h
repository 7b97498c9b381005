#pragma once
// Turning a link target as built from the page text into what a browser would
// fetch: character references decoded, and for disk targets the file part of
// the address with its escapes decoded. The link's own target is never changed:
// these give the text that is checked.

#include <string>
#include <string_view>

namespace linkmoor {

/// `text` with its character references decoded: `&amp;` `&lt;` `&gt;` `&quot;`
/// `&apos;` `&nbsp;` and `&AMP;` `&LT;` `&GT;` `&QUOT;` (named ones need their `;`)
/// and numeric ones `&#45;` `&#x2D;` (the `;` may be missing, as browsers allow).
/// Code points above 127 become their UTF-8 bytes; 0, surrogates and values above
/// U+10FFFF become U+FFFD. Anything else, a lone `&` included, stays as it is.
std::string decodeCharacterReferences(std::string_view text);

/// `text` with every `%XX` escape (two hex digits) decoded; a `%` without two hex
/// digits after it stays as it is.
std::string decodePercentEscapes(std::string_view text);

/// The address an HTTP check should request for `target`: its character
/// references decoded (the scheme, port, path and query stay as written).
std::string httpAddressOfTarget(std::string_view target);

/// The disk path a disk check should test for `target` (a path or a `file:` URL),
/// in this order: character references decoded; outer blanks and control bytes
/// trimmed; `file://localhost/`, `file:///` or `file:/` taken off down to the
/// path's leading "/"; the part from the first `#` or `?` cut off; `%XX`
/// escapes decoded. False when the target names no local path (a `file:` URL of
/// another host or without a path); `path` is then empty.
bool diskPathOfTarget(std::string_view target, std::string &path);

/// `text` written so that diskPathOfTarget reads it back unchanged as a path:
/// `%` `&` `#` `?`, control bytes (below 32, and 127) and blanks at either end
/// become `%XX` escapes; everything else stays as it is.
std::string escapeForDiskTarget(std::string_view text);

} // namespace linkmoor
