#pragma once
// Finding the attribute a quoted value inside a tag belongs to, shared by the
// extraction over kept tags and the scan that notes link values as it goes.

#include "engine/link_attributes.h"
#include "engine/text_bounds.h"

#include <cstdint>
#include <string_view>

namespace linkmoor::attributevalues {

/// Per first byte, the lengths (as bits) of the link attribute names that begin
/// with it in either letter case. Most attribute names of a page (class, alt,
/// width, ...) match no such pair and need no look-up in the table.
struct AttributeShapes {
  std::uint16_t lengths[256] = {};
  constexpr AttributeShapes() {
    for (std::string_view name : linkAttributeTable) {
      const auto first = static_cast<unsigned char>(name[0]);
      const auto bit = static_cast<std::uint16_t>(1u << name.size());
      lengths[first] |= bit;
      if (first >= 'a' && first <= 'z') lengths[first - 'a' + 'A'] |= bit;
    }
  }
};
inline constexpr AttributeShapes attributeShapes;
static_assert([] {
  for (std::string_view name : linkAttributeTable)
    if (name.empty() || name.size() >= 16 || name[0] < 'a' || name[0] > 'z') return false;
  return true;
}());

/// Where the name of the attribute whose quoted value opens at `open` lies:
/// backwards from the quote blanks, `=`, blanks, then the name's letters, never
/// reaching back to `cursor` (the tag's `<` or the byte after the value before).
struct NameSpan {
  std::int32_t start = 0; ///< Offset of the name's first letter.
  std::int32_t size = 0;  ///< Its length; 0 when the value has no such name.
};

/// The name before the value opening at `open` (`cursor` < `open`), as NameSpan says.
inline NameSpan attributeNameBefore(const char *text, std::int32_t cursor, std::int32_t open) {
  std::int32_t i = open - 1;
  while (i > cursor && scantext::isBlank(text[i]))
    --i;
  if (text[i] != '=') return {};
  std::int32_t j = i - 1;
  while (j > cursor && scantext::isBlank(text[j]))
    --j;
  if (j <= cursor || !scantext::isLetter(text[j])) return {};
  std::int32_t k = j;
  while (k > cursor && scantext::isLetter(text[k - 1]))
    --k;
  return {k, j - k + 1};
}

/// True when `name` is a link attribute (letter case ignored).
inline bool isLinkAttributeName(std::string_view name) {
  return !name.empty() && name.size() < 16 &&
         (attributeShapes.lengths[static_cast<unsigned char>(name[0])] >> name.size() & 1u) &&
         isLinkAttribute(name);
}

} // namespace linkmoor::attributevalues
