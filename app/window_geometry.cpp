#include "app/window_geometry.h"

#include <QApplication>
#include <QFontMetrics>
#include <QString>
#include <QStyle>
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

int typicalSummaryRowsWidth(const QFontMetrics &metrics) {
  // A header cell shows its text with a one-pixel raised frame and three pixels of air
  // on each side; the file column a path three folders deep, as a site's pages
  // commonly have it.
  constexpr int cellPadding = 8;
  const char *const cells[] = {"Bytes / errs", "TAG / err",    "Script / err",
                               "L-link / err", "F-link / err", "R-link / err"};
  int width =
      metrics.horizontalAdvance(QStringLiteral("documentation/reference/elements/anchor.html")) +
      cellPadding;
  for (const char *cell : cells)
    width += metrics.horizontalAdvance(QString::fromLatin1(cell)) + cellPadding;
  return width;
}

int workspaceChromeWidth(int scrollBarExtent) {
  // The sheet puts its tabs 10 pixels in from each side, the tab frame takes a few
  // pixels, and the info page keeps 10 pixels either side of its list.
  constexpr int sheetMargins = 2 * 10;
  constexpr int tabFrame = 2 * 4;
  constexpr int pageMargins = 2 * 10;
  return sheetMargins + tabFrame + pageMargins + std::max(0, scrollBarExtent);
}

QSize firstWindowSize(DialogBaseUnits base, const QFontMetrics &metrics, int scrollBarExtent) {
  const QSize template_ = dialogUnitsToPixels(QSize(392, 222), base).expandedTo(kMainWindowMinimum);
  const int wide = typicalSummaryRowsWidth(metrics) + workspaceChromeWidth(scrollBarExtent);
  return QSize(std::max(template_.width(), wide), template_.height());
}

QSize firstWindowSize() {
  return firstWindowSize(dialogBaseUnits(), QFontMetrics(QApplication::font()),
                         QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

} // namespace linkmoor
