#include "app/workspace_brush.h"

namespace linkmoor {

QColor workspaceColour() { return QColor(160, 216, 223); }

const QBrush &workspaceBrush() {
  static const QBrush brush(workspaceColour());
  return brush;
}

} // namespace linkmoor
