#include "app/window_geometry.h"

#include <algorithm>

namespace linkmoor {

PlacedGeometry geometryFromPlacement(WindowPlacement placement) {
  placement.restoreIfMinimized();
  PlacedGeometry placed;
  placed.normal = QRect(placement.left, placement.top, placement.right - placement.left,
                        placement.bottom - placement.top);
  placed.valid = placed.normal.width() > 0 && placed.normal.height() > 0;
  placed.maximized = placement.showCommand == 3;
  return placed;
}

WindowPlacement placementFromGeometry(const QRect &normal, bool maximized, bool minimized) {
  WindowPlacement placement;
  placement.flags = 0;
  placement.showCommand = maximized ? 3 : minimized ? 2 : 1;
  placement.maxX = placement.maxY = -1;
  placement.minX = placement.minY = -1;
  placement.left = normal.left();
  placement.top = normal.top();
  placement.right = normal.left() + normal.width();
  placement.bottom = normal.top() + normal.height();
  return placement;
}

QSize snapToMinimum(const QSize &outer, const QSize &minimum) {
  return QSize(std::max(outer.width(), minimum.width()),
               std::max(outer.height(), minimum.height()));
}

} // namespace linkmoor
