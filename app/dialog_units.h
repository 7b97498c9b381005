#pragma once
// Dialog units: the layout unit of the program's dialog templates. One horizontal
// unit is a quarter of the dialog font's average character width, one vertical unit
// an eighth of its height, so a dialog grows with its font as its templates expect.

#include <QRect>
#include <QSize>

class QFont;
class QFontMetrics;

namespace linkmoor {

/// The base units of a dialog font in pixels: average character width and height.
struct DialogBaseUnits {
  int x = 6;
  int y = 13;
};

/// Base units of `metrics`: the width of the 52 letters "A".."Z", "a".."z" divided by 52
/// (rounded) and the font's line height.
DialogBaseUnits dialogBaseUnits(const QFontMetrics &metrics);

/// Base units of the font the dialogs use (the application font).
DialogBaseUnits dialogBaseUnits();

/// Pixels of `du` horizontal dialog units (du * base.x / 4, rounded to nearest).
int dialogUnitsX(int du, DialogBaseUnits base);
/// Pixels of `du` vertical dialog units (du * base.y / 8, rounded to nearest).
int dialogUnitsY(int du, DialogBaseUnits base);
/// A rectangle given in dialog units, in pixels.
QRect dialogUnitsToPixels(const QRect &du, DialogBaseUnits base);
/// A size given in dialog units, in pixels.
QSize dialogUnitsToPixels(const QSize &du, DialogBaseUnits base);

} // namespace linkmoor
