#pragma once
// The line of the markup layout being built: text runs and pictures with their x,
// size, vertical alignment and link, and how a finished line is put into the layout
// pictures.

#include "markup/markup_surface.h"

#include <string>
#include <vector>

namespace linkmoor {

/// One text run or picture of a line.
struct MarkupLineItem {
  bool isPicture = false;
  int x = 0;
  /// The item's size: the larger of the normal and the hover rendering.
  MarkupSize size;
  int valign = 1;
  /// Link target, empty when the item is not in a link.
  std::string href;
  // Text runs.
  std::string text;
  MarkupFontState font;
  MarkupSize textSize;
  MarkupFontState hoverFont;
  MarkupSize hoverTextSize;
  // Pictures.
  int picture = 0;
  MarkupSize pictureSize;
  int border = 0;
  MarkupColor frame;
  MarkupColor hoverFrame;
};

/// The items placed since the last line break.
class MarkupLine {
public:
  /// Places `item` at the current x; x grows by its width.
  void place(MarkupLineItem item);
  /// Moves the current x by `pixels` (hspace).
  void skip(int pixels) { x_ += pixels; }
  /// True when something was placed since the last line break.
  bool holdsAnything() const { return !items_.empty(); }
  /// The line's height: its tallest item.
  int height() const { return height_; }
  /// Puts the line at `y` into `layout` (aligned by `align` within `layout.width`),
  /// adds its link areas, and empties it.
  void finish(int y, int align, MarkupLayout &layout);

private:
  std::vector<MarkupLineItem> items_;
  int x_ = 0;
  int height_ = 0;
};

} // namespace linkmoor
