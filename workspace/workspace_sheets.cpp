#include "workspace/workspace_sheets.h"

#include "app/placeholder_sheet.h"
#include "workspace/sheet_local.h"

namespace linkmoor {

SheetFactory workspaceSheetFactory(JobThread &jobs) {
  return [&jobs](WorkspaceSheet::Kind kind, const QString &caption,
                 QWidget *parent) -> WorkspaceSheet * {
    if (kind == WorkspaceSheet::Kind::Remote) return new PlaceholderSheet(kind, caption, parent);
    return new SheetLocal(caption, parent, jobs);
  };
}

} // namespace linkmoor
