#pragma once
// The main window's placement as the settings file stores it (ten numbers), turned
// into Qt geometry and back, and the smallest outer size the window allows.

#include "storage/window_placement.h"

#include <QRect>
#include <QSize>

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

} // namespace linkmoor
