#include "workspace/workspace_geometry.h"

#include "app/frame_drawing.h"

#include <algorithm>

namespace linkmoor {

namespace {

// A rectangle from its edges, right and bottom exclusive, never of negative size.
QRect fromEdges(int left, int top, int right, int bottom) {
  return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

} // namespace

std::vector<Stroke> threeDRect(const QRect &r, const QColor &topLeft, const QColor &bottomRight,
                               const QColor &background) {
  const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
  if (w <= 0 || h <= 0) return {};
  std::vector<Stroke> strokes;
  const QColor outerTopLeft = edgeOutline(topLeft, background);
  const QColor outerBottomRight = edgeOutline(bottomRight, background);
  if (outerTopLeft.isValid()) {
    strokes.push_back({QRect(x - 1, y - 1, w + 1, 1), outerTopLeft});
    strokes.push_back({QRect(x - 1, y - 1, 1, h + 1), outerTopLeft});
  }
  if (outerBottomRight.isValid()) {
    strokes.push_back({QRect(x + w, y, 1, h + 1), outerBottomRight});
    strokes.push_back({QRect(x, y + h, w + 1, 1), outerBottomRight});
  }
  strokes.push_back({QRect(x, y, w - 1, 1), topLeft});
  strokes.push_back({QRect(x, y, 1, h - 1), topLeft});
  strokes.push_back({QRect(x + w - 1, y, 1, h), bottomRight});
  strokes.push_back({QRect(x, y + h - 1, w, 1), bottomRight});
  return strokes;
}

QRect deflated(const QRect &r, int left, int top, int right, int bottom) {
  return fromEdges(r.x() + left, r.y() + top, r.x() + r.width() - right,
                   r.y() + r.height() - bottom);
}

std::vector<Stroke> sheetFrameStrokes(const QRect &client) {
  // The inner frame first: the outer one then covers the outline of the inner light
  // edges with its own light edges, and only its outline stays outside both.
  std::vector<Stroke> strokes = threeDRect(deflated(client, 9, 9, 9, 9), Qt::black, Qt::white);
  for (const Stroke &s : threeDRect(deflated(client, 8, 8, 8, 8), Qt::black, Qt::white))
    strokes.push_back(s);
  return strokes;
}

QRect sheetTabRect(const QRect &client) { return deflated(client, 10, 10, 10, 10); }

MainPageGeometry localMainLayout(const QRect &client) {
  const QRect area = deflated(client, 8, 8, 8, 8);
  const int left = area.x(), right = area.x() + area.width();
  const int top = area.y(), bottom = area.y() + area.height();
  const int split = (left + right) * 2 / 3;
  return {fromEdges(left, top, split - 5, bottom), fromEdges(split + 5, top, right, bottom)};
}

QRect summaryListRect(const QRect &client) { return deflated(client, 10, 30, 10, 10); }

QRect errorListRect(const QRect &client) { return deflated(client, 8, 8, 8, 8); }

std::vector<int> fitColumnWidths(std::span<const int> multiples, std::span<const int> minimum,
                                 int available) {
  const std::size_t n = multiples.size();
  std::vector<int> widths(n, 0);
  if (n == 0) return widths;
  auto least = [&](std::size_t i) { return i < minimum.size() ? std::max(0, minimum[i]) : 0; };
  // Columns pinned at their minimum; the others share the rest by their multiples.
  // Each round pins at least one more column or ends, so it runs at most n rounds.
  std::vector<bool> pinned(n, false);
  double unit = 0;
  for (;;) {
    int rest = std::max(0, available);
    int units = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (pinned[i])
        rest -= least(i);
      else
        units += std::max(0, multiples[i]);
    }
    unit = units > 0 ? std::max(0, rest) / static_cast<double>(units) : 0.0;
    bool pinnedMore = false;
    for (std::size_t i = 0; i < n; ++i)
      if (!pinned[i] && static_cast<int>(std::max(0, multiples[i]) * unit) < least(i)) {
        pinned[i] = true;
        pinnedMore = true;
      }
    if (!pinnedMore) break;
  }
  int total = 0;
  for (std::size_t i = 0; i < n; ++i) {
    widths[i] = pinned[i] ? least(i) : static_cast<int>(std::max(0, multiples[i]) * unit);
    total += widths[i];
  }
  if (total < available) widths[n - 1] += available - total;
  return widths;
}

void spreadSpanMinimum(std::span<const int> multiples, std::span<int> minimum, int first, int last,
                       int need) {
  if (first < 0 || last >= static_cast<int>(minimum.size()) ||
      last >= static_cast<int>(multiples.size()) || first > last)
    return;
  int have = 0, units = 0;
  for (int i = first; i <= last; ++i) {
    have += minimum[static_cast<std::size_t>(i)];
    units += std::max(0, multiples[static_cast<std::size_t>(i)]);
  }
  const int shortfall = need - have;
  if (shortfall <= 0) return;
  for (int i = first; i <= last; ++i) {
    const int m = std::max(0, multiples[static_cast<std::size_t>(i)]);
    const int share = units > 0 ? (shortfall * m + units - 1) / units : shortfall;
    minimum[static_cast<std::size_t>(i)] += share;
  }
}

} // namespace linkmoor
