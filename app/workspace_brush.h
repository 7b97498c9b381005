#pragma once
// The light cyan background of the main window and the workspace sheets.

#include <QBrush>
#include <QColor>

namespace linkmoor {

/// RGB(160, 216, 223).
QColor workspaceColour();
/// A solid brush of `workspaceColour()`.
const QBrush &workspaceBrush();

} // namespace linkmoor
