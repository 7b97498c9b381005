#pragma once
// The pictures compiled into the program (resources/app.qrc).

#include <QIcon>
#include <QPixmap>

namespace linkmoor {

/// The picture with resource number `number` (e.g. 181 for "Stop"); null when unknown.
QPixmap appPicture(int number);

/// The program's window icon (resource 128) in its three sizes.
QIcon appIcon();

} // namespace linkmoor
