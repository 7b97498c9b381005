#pragma once
// A measuring stand-in for the layout tests: every character is half the font size
// wide (one more when bold), a text is the font size plus 2 high, and pictures are
// the sizes the test lists.

#include "markup/markup_surface.h"

#include <map>

namespace linkmoor::test {

/// Predictable sizes for the markup layout.
class FakeMeasure : public MarkupMeasure {
public:
  MarkupSize textSize(const MarkupFontState &font, const std::string &text) override {
    ++textCalls;
    const int perChar = font.size / 2 + (font.bold ? 1 : 0);
    return {static_cast<int>(text.size()) * perChar, font.size + 2};
  }
  std::optional<MarkupSize> pictureSize(int number) override {
    auto found = pictures.find(number);
    if (found == pictures.end()) return std::nullopt;
    return found->second;
  }

  std::map<int, MarkupSize> pictures;
  int textCalls = 0;
};

} // namespace linkmoor::test
