#pragma once
// Resolving a relative link value against the folder of its page.

#include <string>
#include <string_view>

namespace linkmoor {

/// The path, relative to the project or site root, of what `value` points to
/// from the page `pageName` in the folder `base` (relative to the root, ending
/// with "/"; just "/" in the root). Leading blanks of the value are dropped,
/// "./" and "../" steps are taken within `base` (never above the root), an
/// anchor or query alone refers to the page itself, and a value starting with
/// "/" is taken from the root as it is.
std::string resolveRelative(std::string_view base, std::string_view pageName,
                            std::string_view value);

} // namespace linkmoor
