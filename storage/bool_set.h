#pragma once
// Seventeen flags carried by one unsigned number in the settings file.

#include <array>
#include <cstdint>

namespace linkmoor {

/// Flags 0 to 16, each 0 or 1; in the file one number whose bit i is flag i.
class BoolSet {
public:
  /// Number of flags.
  static constexpr int kCount = 17;

  /// All flags 0.
  BoolSet() { flags_.fill(0); }

  /// Flag `index` (0 to 16); out-of-range indexes read as 0.
  int flag(int index) const { return index >= 0 && index < kCount ? flags_[index] : 0; }
  /// Sets flag `index` to 1 when `value` is not 0, else to 0; ignores
  /// out-of-range indexes.
  void setFlag(int index, int value) {
    if (index >= 0 && index < kCount) flags_[index] = value != 0 ? 1 : 0;
  }

  /// Flag i becomes bit i of `number`, for i from 0 to 16; higher bits are ignored.
  void fromNumber(std::uint32_t number);
  /// Bit i is set when flag i is not 0 (bit 16 has the value 65536).
  std::uint32_t toNumber() const;

private:
  std::array<int, kCount> flags_;
};

} // namespace linkmoor
