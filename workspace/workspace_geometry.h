#pragma once
// The pixel geometry of the workspace sheets and pages, as pure functions of the
// client rectangles, so that every number can be checked without a window.
// Rectangles are Qt's: right() and bottom() are the last pixel inside.

#include "app/workspace_brush.h"

#include <QColor>
#include <QRect>
#include <array>
#include <span>
#include <vector>

namespace linkmoor {

/// One filled rectangle of a drawn frame.
struct Stroke {
  QRect rect;
  QColor colour;
};

/// A three-dimensional rectangle over `r`: top and left edges in `topLeft` (one pixel
/// short of the far corner), right and bottom edges in `bottomRight`. An edge that
/// would hardly show on `background` comes after a contrasting line one pixel outside
/// it (`edgeOutline`), so both edges of the frame read on the workspace's cyan.
std::vector<Stroke> threeDRect(const QRect &r, const QColor &topLeft, const QColor &bottomRight,
                               const QColor &background = workspaceColour());

/// `r` with its edges moved inwards by the four amounts (outwards when negative).
QRect deflated(const QRect &r, int left, int top, int right, int bottom);

/// The sheet's two nested frames: the client deflated by 9 and by 8 (in that order),
/// each black at the top and left and white at the right and bottom, the white edges
/// outlined on the workspace's cyan.
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
/// The proportions of "File", "Count", "Support": 8, 5 and 6 units.
inline constexpr std::array<int, 3> kExtensionMultiples{8, 5, 6};

/// The info page's list: the client less 10 left, 30 top, 10 right, 10 bottom.
QRect summaryListRect(const QRect &client);
/// The proportions of the 13 summary columns: 39, 8, 4, then five times 5 and 4 units.
inline constexpr std::array<int, 13> kSummaryMultiples{39, 8, 4, 5, 4, 5, 4, 5, 4, 5, 4, 5, 4};

/// The desc page's list: the client deflated by 8.
QRect errorListRect(const QRect &client);
/// The proportions of "Line", "Type", "Error", "Format or link": 3, 7, 14, 26 units.
inline constexpr std::array<int, 4> kErrorMultiples{3, 7, 14, 26};

/// Column widths for a list whose rows are `available` pixels wide. While every column
/// fits, the columns keep their proportions: `multiples` of one real unit, truncated.
/// A column whose share would fall below its `minimum` gets that minimum, and the other
/// columns share what is left in their proportions. The last column takes what the
/// truncation leaves over, so the columns fill `available` exactly; when the minimums
/// alone need more, every column gets its minimum and the list scrolls sideways.
/// Columns without a minimum (a shorter `minimum`) need none.
std::vector<int> fitColumnWidths(std::span<const int> multiples, std::span<const int> minimum,
                                 int available);

/// Raises the minimums of columns `first` to `last` so that together they are at least
/// `need` wide (a header cell over several columns): the shortfall is spread over them
/// in their proportions, rounding up.
void spreadSpanMinimum(std::span<const int> multiples, std::span<int> minimum, int first, int last,
                       int need);

} // namespace linkmoor
