#pragma once
// Fonts and colours of the editor pane.

#include <QColor>
#include <QFont>

namespace linkmoor {

/// The system's fixed-pitch font, used by the editor and the line-number strip.
QFont editorFont();

/// Background of the line-number strip (red 225, green 225, blue 225).
inline QColor gutterBackground() { return QColor(225, 225, 225); }

/// Colour of the line numbers (pure blue).
inline QColor gutterNumberColour() { return QColor(0, 0, 255); }

} // namespace linkmoor
