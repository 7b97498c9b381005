#include "storage/bool_set.h"

namespace linkmoor {

void BoolSet::fromNumber(std::uint32_t number) {
  for (int i = 0; i < kCount; ++i)
    flags_[i] = (number >> i) & 1u;
}

std::uint32_t BoolSet::toNumber() const {
  std::uint32_t number = 0;
  for (int i = 0; i < kCount; ++i) {
    if (flags_[i] != 0) number |= 1u << i;
  }
  return number;
}

} // namespace linkmoor
