#pragma once
// The attribute names whose quoted values are links, and the case-blind
// binary search over such a sorted table.

#include <array>
#include <string_view>

namespace linkmoor {

/// Attribute names whose quoted values are links, sorted, lower case.
inline constexpr std::array<std::string_view, 10> linkAttributeTable = {
    "action", "background",  "base", "codebase", "href",
    "icon",   "pluginspage", "src",  "template", "url"};

/// Result of `findName`.
struct NameLookup {
  bool found = false; ///< The name is in the table.
  int position = 0;   ///< Where it is, or where it would be inserted.
};

/// Binary search of `name` in `table[low..high]` (both inclusive, sorted),
/// comparing whole strings without regard to the letter case of `A`..`Z`.
NameLookup findName(const std::string_view *table, int low, int high, std::string_view name);

/// `findName` over the whole `linkAttributeTable`.
inline bool isLinkAttribute(std::string_view name) {
  // Most attributes of a page (class, width, alt, ...) fail this cheap test.
  if (name.size() < 3 || name.size() > 11) return false;
  switch (static_cast<unsigned char>(name[0]) | 0x20u) {
  case 'a':
  case 'b':
  case 'c':
  case 'h':
  case 'i':
  case 'p':
  case 's':
  case 't':
  case 'u':
    break;
  default:
    return false;
  }
  return findName(linkAttributeTable.data(), 0, static_cast<int>(linkAttributeTable.size()) - 1,
                  name)
      .found;
}

} // namespace linkmoor
