#include "storage/window_placement.h"

#include "storage/decimal_text.h"

#include <array>

namespace linkmoor {

void WindowPlacement::restoreIfMinimized() {
  if (showCommand == 2 || showCommand == 6 || showCommand == 7) showCommand = 9;
}

std::string WindowPlacement::format() const {
  std::string out;
  for (std::int32_t value :
       {flags, showCommand, maxX, maxY, minX, minY, left, top, right, bottom}) {
    if (!out.empty()) out.push_back('=');
    out += std::to_string(value);
  }
  return out;
}

bool WindowPlacement::parse(const std::string &text) {
  std::array<std::int32_t, 10> numbers{};
  std::size_t pos = 0;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    // A number starts at the beginning or behind an "="; the text ending
    // where the next number should start means it is missing.
    if (pos >= text.size()) return false;
    std::size_t separator = text.find('=', pos);
    std::size_t end = separator == std::string::npos ? text.size() : separator;
    numbers[i] = decimalValue(std::string_view(text).substr(pos, end - pos));
    if (separator == std::string::npos) {
      if (i + 1 < numbers.size()) return false;
      pos = text.size();
    } else {
      pos = separator + 1;
    }
  }
  flags = numbers[0];
  showCommand = numbers[1];
  maxX = numbers[2];
  maxY = numbers[3];
  minX = numbers[4];
  minY = numbers[5];
  left = numbers[6];
  top = numbers[7];
  right = numbers[8];
  bottom = numbers[9];
  return true;
}

} // namespace linkmoor
