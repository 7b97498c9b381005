#pragma once
// The scrolling state of the markup label, free of any window: the scroll offset that
// a timer step advances, the bands of content rows a paint copies (the content repeats
// without a gap while it is taller than the window), the hit test of links, and
// dragging the content with the mouse.

#include "markup/markup_surface.h"

#include <vector>

namespace linkmoor {

/// Rows copied from the content to the window: `rows` rows from content row `source`
/// to window row `target`.
struct MarkupBand {
  int source = 0;
  int target = 0;
  int rows = 0;
  friend bool operator==(const MarkupBand &, const MarkupBand &) = default;
};

/// Scroll offset, content and window heights, link areas and the drag state.
class MarkupScroller {
public:
  /// Sets the content's height and link areas (a new layout).
  void setContent(int contentHeight, std::vector<MarkupLink> links);
  /// Sets the window's client height.
  void setWindowHeight(int height) { windowHeight_ = height; }
  /// The content row shown at the top of the window (may be negative at first).
  int offset() const { return offset_; }
  /// Sets the offset.
  void setOffset(int offset) { offset_ = offset; }
  /// The content height.
  int contentHeight() const { return contentHeight_; }
  /// The window height.
  int windowHeight() const { return windowHeight_; }
  /// The link areas in layout order.
  const std::vector<MarkupLink> &links() const { return links_; }

  /// True when the content is taller than the window, so it scrolls and repeats.
  bool scrolls() const { return contentHeight_ > windowHeight_; }
  /// One timer step: the offset grows by 1 and wraps to 1 past the content height.
  void step();
  /// The content bands a paint copies, top to bottom.
  std::vector<MarkupBand> bands() const;
  /// Index of the first link under window point (x, y), or -1.
  int linkAt(int x, int y) const;
  /// The link's area moved into window rows for each band it shows in.
  std::vector<MarkupRect> windowAreas(const MarkupRect &contentArea) const;

  /// True while the content is being dragged.
  bool dragging() const { return dragging_; }
  /// Starts dragging at window row `y`; false (and nothing starts) when the content
  /// does not scroll.
  bool startDrag(int y);
  /// Follows the mouse to window row `y` while dragging.
  void dragTo(int y);
  /// Ends dragging.
  void endDrag() { dragging_ = false; }

private:
  int contentHeight_ = 0;
  int windowHeight_ = 0;
  int offset_ = 0;
  std::vector<MarkupLink> links_;
  bool dragging_ = false;
  int anchor_ = 0;
};

} // namespace linkmoor
