#include "app/workspace_sheet.h"

#include "app/placeholder_sheet.h"

namespace linkmoor {

WorkspaceSheet::WorkspaceSheet(Kind kind, const QString &caption, QWidget *parent)
    : QWidget(parent), kind_(kind) {
  setWindowTitle(caption);
}

SheetFactory &sheetFactory() {
  static SheetFactory factory = [](WorkspaceSheet::Kind kind, const QString &caption,
                                   QWidget *parent) -> WorkspaceSheet * {
    return new PlaceholderSheet(kind, caption, parent);
  };
  return factory;
}

} // namespace linkmoor
