#include "engine/link_attributes.h"

#include <algorithm>

namespace linkmoor {

namespace {

unsigned char folded(char c) {
  const unsigned u = static_cast<unsigned char>(c);
  return u - 'A' < 26u ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

int compareFolded(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = folded(a[i]);
    const unsigned char y = folded(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

} // namespace

NameLookup findName(const std::string_view *table, int low, int high, std::string_view name) {
  if (!table) return {false, std::max(low, 0)};
  while (low <= high) {
    const int mid = low + (high - low) / 2;
    const int order = compareFolded(name, table[mid]);
    if (order == 0) return {true, mid};
    if (order < 0)
      high = mid - 1;
    else
      low = mid + 1;
  }
  return {false, low};
}

} // namespace linkmoor
