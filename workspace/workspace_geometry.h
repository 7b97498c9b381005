#pragma once
// The pixel geometry of the workspace sheets and pages, as pure functions of the
// client rectangles, so that every number can be checked without a window.
// Rectangles are Qt's: right() and bottom() are the last pixel inside.

#include <QColor>
#include <QRect>
#include <array>
#include <vector>

namespace linkmoor {

/// One filled rectangle of a drawn frame.
struct Stroke {
  QRect rect;
  QColor colour;
};

/// A three-dimensional rectangle over `r`: top and left edges in `topLeft` (one pixel
/// short of the far corner), right and bottom edges in `bottomRight`.
std::vector<Stroke> threeDRect(const QRect &r, const QColor &topLeft, const QColor &bottomRight);

/// `r` with its edges moved inwards by the four amounts (outwards when negative).
QRect deflated(const QRect &r, int left, int top, int right, int bottom);

/// The sheet's two nested frames: the client deflated by 8 and by 9, each black at
/// the top and left and white at the right and bottom.
std::vector<Stroke> sheetFrameStrokes(const QRect &client);
/// Where the sheet's tab control goes: the client deflated by 10.
QRect sheetTabRect(const QRect &client);

/// The local main page's two controls.
struct MainPageGeometry {
  QRect tree; ///< the folder tree, left
  QRect list; ///< the extension list, right
};
/// The client deflated by 8, split at two thirds of (left + right edge): the tree up to
/// 5 pixels before the split, the list from 5 pixels after it.
MainPageGeometry localMainLayout(const QRect &client);
/// Widths of "File", "Count", "Support": 8u, 5u, 6u with
/// u = (list width - scroll bar width - 1) / 19 (integer division).
std::array<int, 3> extensionColumnWidths(int listWidth, int scrollBarWidth);

/// The info page's list: the client less 10 left, 30 top, 10 right, 10 bottom.
QRect summaryListRect(const QRect &client);
/// Widths of the 13 summary columns: 39w, 8w, 4w, then five times 5w and 4w, each
/// truncated, with w = (list width - scroll bar width - 1) / 96 as a real number.
std::array<int, 13> summaryColumnWidths(int listWidth, int scrollBarWidth);

/// The desc page's list: the client deflated by 8.
QRect errorListRect(const QRect &client);
/// Widths of "Line", "Type", "Error", "Format or link": 3u, 7u, 14u, 26u, each
/// truncated, with u = (list width - scroll bar width - 5) / 50 as a real number.
std::array<int, 4> errorColumnWidths(int listWidth, int scrollBarWidth);

} // namespace linkmoor
