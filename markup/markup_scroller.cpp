#include "markup/markup_scroller.h"

#include <algorithm>

namespace linkmoor {

void MarkupScroller::setContent(int contentHeight, std::vector<MarkupLink> links) {
  contentHeight_ = std::max(0, contentHeight);
  links_ = std::move(links);
  // A shorter content could leave the drag anchor without meaning.
  if (!scrolls()) dragging_ = false;
}

void MarkupScroller::step() {
  ++offset_;
  if (offset_ > contentHeight_) offset_ = 1;
}

std::vector<MarkupBand> MarkupScroller::bands() const {
  std::vector<MarkupBand> bands;
  if (contentHeight_ <= 0 || windowHeight_ <= 0) return bands;
  if (!scrolls()) {
    bands.push_back({0, 0, contentHeight_});
    return bands;
  }
  int source = offset_;
  int target = 0;
  if (source < 0) {
    target = -source;
    source = 0;
  }
  // The offset may lie past the end for a moment (set from outside): start over.
  if (source >= contentHeight_) source %= contentHeight_;
  while (target < windowHeight_) {
    const int rows = std::min(contentHeight_ - source, windowHeight_ - target);
    bands.push_back({source, target, rows});
    target += rows;
    source = 0;
  }
  return bands;
}

int MarkupScroller::linkAt(int x, int y) const {
  for (std::size_t i = 0; i < links_.size(); ++i) {
    const MarkupRect &area = links_[i].area;
    const bool hit =
        scrolls() ? area.contains(x, y + offset_) || area.contains(x, y + offset_ - contentHeight_)
                  : area.contains(x, y);
    if (hit) return static_cast<int>(i);
  }
  return -1;
}

std::vector<MarkupRect> MarkupScroller::windowAreas(const MarkupRect &contentArea) const {
  std::vector<MarkupRect> areas;
  for (const MarkupBand &band : bands()) {
    const int top = std::max(contentArea.y, band.source);
    const int bottom = std::min(contentArea.y + contentArea.height, band.source + band.rows);
    if (bottom <= top) continue;
    areas.push_back(
        {contentArea.x, top - band.source + band.target, contentArea.width, bottom - top});
  }
  return areas;
}

bool MarkupScroller::startDrag(int y) {
  if (!scrolls()) return false;
  dragging_ = true;
  anchor_ = y + offset_;
  return true;
}

void MarkupScroller::dragTo(int y) {
  if (!dragging_ || contentHeight_ <= 0) return;
  offset_ = ((anchor_ - y) % contentHeight_ + contentHeight_) % contentHeight_;
}

} // namespace linkmoor
