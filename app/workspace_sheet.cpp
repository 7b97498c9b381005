#include "app/workspace_sheet.h"

namespace linkmoor {

WorkspaceSheet::WorkspaceSheet(Kind kind, const QString &caption, QWidget *parent)
    : QWidget(parent), kind_(kind) {
  setWindowTitle(caption);
}

} // namespace linkmoor
