#pragma once
// Resolving a relative link value against the folder of its page.

#include <string>
#include <string_view>

namespace linkmoor {

/// The path, relative to the project or site root, of what `value` points to
/// from the page `pageName` in the folder `base` (relative to the root, ending
/// with "/"; just "/" in the root). Leading blanks of the value are dropped,
/// "./" and "../" steps are taken within `base` (never above the root), an
/// anchor or query at the start of the value refers to the page itself, one
/// after "./" or "../" to the folder reached (the result then holds that folder,
/// "/" and the anchor or query), and a value starting with "/" is taken from the
/// root as it is.
std::string resolveRelative(std::string_view base, std::string_view pageName,
                            std::string_view value);

/// resolveRelative into `out` (its old content replaced), so that one buffer can
/// serve all the links of a page without an allocation each.
void resolveRelativeInto(std::string_view base, std::string_view pageName, std::string_view value,
                         std::string &out);

} // namespace linkmoor
