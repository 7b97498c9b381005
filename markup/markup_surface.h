#pragma once
// What the markup layout needs from a drawing system, and what it produces: a measuring
// interface (text and picture sizes), and a layout result made of drawing steps for the
// normal and the hover picture, the content height and the link areas. Plain code, so
// the layout can be checked without a window.

#include "markup/markup_style.h"

#include <optional>
#include <string>
#include <vector>

namespace linkmoor {

/// A width and a height in pixels.
struct MarkupSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const MarkupSize &, const MarkupSize &) = default;
};

/// A rectangle in pixels (left, top, width, height).
struct MarkupRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  /// True when nothing is inside.
  bool empty() const { return width <= 0 || height <= 0; }
  /// True when the point lies inside (right and bottom edges excluded).
  bool contains(int px, int py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
  friend bool operator==(const MarkupRect &, const MarkupRect &) = default;
};

/// Sizes of texts and pictures, as the drawing system will draw them.
class MarkupMeasure {
public:
  virtual ~MarkupMeasure() = default;
  /// Size of `text` (UTF-8) drawn as a single line in `font`.
  virtual MarkupSize textSize(const MarkupFontState &font, const std::string &text) = 0;
  /// Size of the program's picture `number`; none when there is no such picture.
  virtual std::optional<MarkupSize> pictureSize(int number) = 0;
};

/// One drawing step of a layout picture.
struct MarkupDraw {
  /// What the step draws.
  enum class Kind {
    Fill,    ///< `rect` filled with `color`
    Text,    ///< `text` in `font` at `rect`'s top-left, `background` behind it
    Picture, ///< picture `picture` copied opaque at `rect`
  };
  /// What is drawn.
  Kind kind = Kind::Fill;
  /// Where: the filled area, the text's box, or the picture's place and size.
  MarkupRect rect;
  /// Fill or text colour; none draws nothing.
  MarkupColor color;
  /// Text background; none leaves it see-through.
  MarkupColor background;
  /// Font of a text step.
  MarkupFontState font;
  /// Text of a text step (UTF-8).
  std::string text;
  /// Number of a picture step's picture.
  int picture = 0;
};

/// A clickable area of the content and its target.
struct MarkupLink {
  /// The area in content coordinates.
  MarkupRect area;
  /// The link's target ("#number#argument" or an address).
  std::string target;
  friend bool operator==(const MarkupLink &, const MarkupLink &) = default;
};

/// The content pictures' height limit.
inline constexpr int kMarkupHeightLimit = 5000;

/// The layout of a text: drawing steps of both pictures (see-through where nothing is
/// drawn), the content height and the link areas in layout order.
struct MarkupLayout {
  /// The layout width.
  int width = 0;
  /// The final y of the layout, at most `kMarkupHeightLimit`.
  int contentHeight = 0;
  /// Steps of the normal picture.
  std::vector<MarkupDraw> normal;
  /// Steps of the hover picture (the linked items in their hover look).
  std::vector<MarkupDraw> hover;
  /// Link areas in layout order.
  std::vector<MarkupLink> links;
};

} // namespace linkmoor
