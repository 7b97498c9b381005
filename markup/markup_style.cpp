#include "markup/markup_style.h"

#include <algorithm>
#include <cctype>

namespace linkmoor {

MarkupFontState MarkupHoverState::over(const MarkupFontState &base) const {
  MarkupFontState state = base;
  if (face) state.face = *face;
  if (size > 0) state.size = size;
  if (bold) state.bold = *bold;
  if (italic) state.italic = *italic;
  if (underline) state.underline = *underline;
  if (strikeout) state.strikeout = *strikeout;
  if (color) state.color = *color;
  if (background) state.background = *background;
  return state;
}

std::string markupLower(const std::string &text) {
  std::string lower = text;
  for (char &c : lower)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string markupTrim(const std::string &text) {
  const char *blanks = " \t\r\n";
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

int parseMarkupNumber(const std::string &value) {
  std::size_t i = 0;
  while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
    ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
  long long number = 0;
  for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i)
    number = std::min<long long>(number * 10 + (value[i] - '0'), 1000000);
  return static_cast<int>(negative ? -number : number);
}

ColorValue parseMarkupColor(const std::string &value, MarkupColor &out) {
  const std::string lower = markupLower(markupTrim(value));
  if (lower.empty()) return ColorValue::Unchanged;
  if (lower == "none" || lower == "transparant") {
    out.reset();
    return ColorValue::Set;
  }
  const auto first = value.find(',');
  if (first == std::string::npos) return ColorValue::Unchanged;
  const auto second = value.find(',', first + 1);
  if (second == std::string::npos) return ColorValue::Unchanged;
  auto component = [](const std::string &part) {
    return std::clamp(parseMarkupNumber(part), 0, 255);
  };
  out =
      Rgb{component(value.substr(0, first)), component(value.substr(first + 1, second - first - 1)),
          component(value.substr(second + 1))};
  return ColorValue::Set;
}

void applyMarkupStyle(const std::string &value, std::optional<bool> flags[4]) {
  const std::string lower = markupLower(value);
  const char letters[4] = {'b', 'i', 'u', 's'};
  for (int k = 0; k < 4; ++k) {
    const std::string off = std::string("-") + letters[k];
    if (lower.find(off) != std::string::npos)
      flags[k] = false;
    else if (lower.find(letters[k]) != std::string::npos)
      flags[k] = true;
  }
}

} // namespace linkmoor
