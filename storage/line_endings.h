#pragma once
// The line ends edited pages are saved with.

#include <string>
#include <string_view>

namespace linkmoor {

/// `text` (LF line ends, in an 8-bit or UTF-8 encoding) with every LF written as CR LF,
/// as the "Windows" line ending saves it. A CR already in front of an LF is kept single.
std::string withCrLfLineEnds(std::string_view text);

} // namespace linkmoor
