#pragma once
// The pictures of the progress strip's "Stop" and "Skip" buttons, drawn by the program
// at the resolution of the screen (100 %, 200 % or between), so that they stay sharp
// where a fixed bitmap would be blown up: a raised (or, pressed, sunken) button face
// with a small sign and the word in the dialog font.

#include "app/dialog_units.h"

#include <QFont>
#include <QPixmap>
#include <QSize>

namespace linkmoor {

/// The picture numbers of the two buttons: normal, pressed and disabled.
enum ProgressPictureNumber : int {
  PICTURE_SKIP = 160,
  PICTURE_SKIP_PRESSED = 185,
  PICTURE_SKIP_DISABLED = 184,
  PICTURE_STOP = 181,
  PICTURE_STOP_PRESSED = 180,
  PICTURE_STOP_DISABLED = 183,
};

/// The size of a button picture at 100 %: the template's 25 by 17 dialog units.
QSize progressPictureSize(DialogBaseUnits base);

/// Picture `number` of `size` (pixels at 100 %), drawn for a screen of `deviceScale`
/// device pixels per pixel in `font`; null for a number that is not one of the six.
QPixmap drawProgressPicture(int number, QSize size, qreal deviceScale, const QFont &font);

/// Picture `number` in the dialog font, at the size of the template, for the scale of
/// the application's screens.
QPixmap progressPicture(int number);

} // namespace linkmoor
