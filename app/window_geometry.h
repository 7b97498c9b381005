#pragma once
// The main window's placement as the settings file stores it (ten numbers), turned
// into Qt geometry and back, the smallest outer size the window allows, and the size
// it opens with when no placement is stored.

#include "app/dialog_units.h"
#include "storage/window_placement.h"

#include <QRect>
#include <QSize>

class QFontMetrics;

namespace linkmoor {

/// What a stored placement asks of the window.
struct PlacedGeometry {
  bool valid = false;     ///< the normal rectangle has a positive size
  QRect normal;           ///< the window's normal (not maximized) geometry
  bool maximized = false; ///< show command 3 (shown maximized)
};

/// Geometry of `placement`. Show commands that would bring the window back minimized
/// (2, 6, 7) restore it instead; the normal rectangle runs from left, top to right,
/// bottom (exclusive).
PlacedGeometry geometryFromPlacement(WindowPlacement placement);

/// The placement of a window whose normal geometry is `normal`: show command 3 when
/// maximized, 2 when minimized, else 1; the minimized and maximized positions -1.
WindowPlacement placementFromGeometry(const QRect &normal, bool maximized, bool minimized);

/// The smallest outer size of the main window.
inline constexpr QSize kMainWindowMinimum{500, 400};

/// `outer` with each dimension raised to at least `minimum`.
QSize snapToMinimum(const QSize &outer, const QSize &minimum = kMainWindowMinimum);

/// The width the info page's rows need in `metrics` for a typical page: each of the
/// six drawn header cells ("Bytes / errs" ... "R-link / err") with its frame and air,
/// and a file column that shows a path three folders deep whole.
int typicalSummaryRowsWidth(const QFontMetrics &metrics);

/// Pixels of the main window's width that are not the info page's rows: the sheet's
/// margins and tab frame, the page's margins and a vertical scroll bar of
/// `scrollBarExtent`.
int workspaceChromeWidth(int scrollBarExtent);

/// The size the main window opens with when no placement is stored: the template's
/// 392 by 222 dialog units, at least the smallest size, and wide enough that the info
/// page of a typical page shows all 13 columns whole without scrolling sideways.
QSize firstWindowSize(DialogBaseUnits base, const QFontMetrics &metrics, int scrollBarExtent);
/// The same for the application's font and style.
QSize firstWindowSize();

} // namespace linkmoor
