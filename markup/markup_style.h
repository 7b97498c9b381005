#pragma once
// The appearance settings of the markup label's tag language: colours, the font state
// in force, the hover appearance of links and the paragraph block, with the rules that
// turn attribute values into them. Plain code, no window toolkit.

#include <optional>
#include <string>

namespace linkmoor {

/// An RGB colour.
struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  /// Same three components.
  friend bool operator==(const Rgb &, const Rgb &) = default;
};

/// A colour or none (no colour: see-through).
using MarkupColor = std::optional<Rgb>;

/// The longest face name kept.
inline constexpr std::size_t kMarkupFaceMax = 259;

/// The text appearance in force.
struct MarkupFontState {
  /// Font face name.
  std::string face = "Arial";
  /// Character height in pixels.
  int size = 12;
  /// Style flags.
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  /// Text colour; none draws no text.
  MarkupColor color = Rgb{0, 0, 0};
  /// Background behind the text; none leaves it see-through.
  MarkupColor background;
  /// All fields equal.
  friend bool operator==(const MarkupFontState &, const MarkupFontState &) = default;
};

/// The appearance of link text under the mouse: each field may be unset (taken from
/// the text around the link).
struct MarkupHoverState {
  /// Font face, or unset.
  std::optional<std::string> face;
  /// Character height in pixels; 0 is unset.
  int size = 0;
  /// Style flags, each set on, set off or unset.
  std::optional<bool> bold;
  std::optional<bool> italic;
  std::optional<bool> underline;
  std::optional<bool> strikeout;
  /// Text colour (a colour or none), or unset.
  std::optional<MarkupColor> color;
  /// Background (a colour or none), or unset.
  std::optional<MarkupColor> background;

  /// `base` with every set field of this state put over it.
  MarkupFontState over(const MarkupFontState &base) const;
};

/// Paragraph settings in force.
struct MarkupBlock {
  /// 0 left, 1 centre, 2 right.
  int align = 1;
  /// 0 top, 1 middle, 2 bottom.
  int valign = 1;
  /// Same settings.
  friend bool operator==(const MarkupBlock &, const MarkupBlock &) = default;
};

/// Outcome of reading a colour value.
enum class ColorValue {
  Unchanged, ///< empty or badly formed: leave the setting
  Set,       ///< a colour or none was read
};

/// Reads "r,g,b", "none" or "transparant" into `out`. An empty value or one with fewer
/// than two commas leaves `out` and returns `Unchanged`. Components are kept in 0..255.
ColorValue parseMarkupColor(const std::string &value, MarkupColor &out);

/// The leading decimal number of `value` (blanks and a sign allowed), 0 when there is
/// none; kept within ±1000000 so that sums of positions cannot overflow.
int parseMarkupNumber(const std::string &value);

/// Style letters b, i, u, s: "-x" turns a flag off, "x" on (either case), others leave it.
/// Applies to the four flags given; each pointer may be set or not (optional flags).
void applyMarkupStyle(const std::string &value, std::optional<bool> flags[4]);

/// ASCII lower case of `text`.
std::string markupLower(const std::string &text);
/// `text` without leading and trailing blanks, tabs and line ends.
std::string markupTrim(const std::string &text);

} // namespace linkmoor
