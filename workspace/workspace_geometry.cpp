#include "workspace/workspace_geometry.h"

#include <algorithm>

namespace linkmoor {

namespace {

// A rectangle from its edges, right and bottom exclusive, never of negative size.
QRect fromEdges(int left, int top, int right, int bottom) {
  return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

template <std::size_t N>
std::array<int, N> unitWidths(double unit, const std::array<int, N> &multiples) {
  std::array<int, N> widths{};
  for (std::size_t i = 0; i < N; ++i)
    widths[i] = std::max(0, static_cast<int>(multiples[i] * unit));
  return widths;
}

} // namespace

std::vector<Stroke> threeDRect(const QRect &r, const QColor &topLeft, const QColor &bottomRight) {
  const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
  if (w <= 0 || h <= 0) return {};
  return {{QRect(x, y, w - 1, 1), topLeft},
          {QRect(x, y, 1, h - 1), topLeft},
          {QRect(x + w - 1, y, 1, h), bottomRight},
          {QRect(x, y + h - 1, w, 1), bottomRight}};
}

QRect deflated(const QRect &r, int left, int top, int right, int bottom) {
  return fromEdges(r.x() + left, r.y() + top, r.x() + r.width() - right,
                   r.y() + r.height() - bottom);
}

std::vector<Stroke> sheetFrameStrokes(const QRect &client) {
  std::vector<Stroke> strokes = threeDRect(deflated(client, 8, 8, 8, 8), Qt::black, Qt::white);
  for (const Stroke &s : threeDRect(deflated(client, 9, 9, 9, 9), Qt::black, Qt::white))
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

std::array<int, 3> extensionColumnWidths(int listWidth, int scrollBarWidth) {
  const int u = std::max(0, (listWidth - scrollBarWidth - 1) / 19);
  return {8 * u, 5 * u, 6 * u};
}

QRect summaryListRect(const QRect &client) { return deflated(client, 10, 30, 10, 10); }

std::array<int, 13> summaryColumnWidths(int listWidth, int scrollBarWidth) {
  const double w = (listWidth - scrollBarWidth - 1) / 96.0;
  return unitWidths<13>(w, {39, 8, 4, 5, 4, 5, 4, 5, 4, 5, 4, 5, 4});
}

QRect errorListRect(const QRect &client) { return deflated(client, 8, 8, 8, 8); }

std::array<int, 4> errorColumnWidths(int listWidth, int scrollBarWidth) {
  const double u = (listWidth - scrollBarWidth - 5) / 50.0;
  return unitWidths<4>(u, {3, 7, 14, 26});
}

} // namespace linkmoor
