#pragma once
// Decimal numbers in the data files, read the way the C function atoi reads
// them.

#include <cstdint>
#include <string_view>

namespace linkmoor {

/// Value of the decimal number at the start of `text`: optional leading white
/// space (space, tab, LF, VT, FF, CR), an optional sign, then digits; the
/// first other character ends the number, and no digits give 0. Values beyond
/// the 32-bit range are clamped to it, and a NUL ends the text.
std::int32_t decimalValue(std::string_view text);

} // namespace linkmoor
