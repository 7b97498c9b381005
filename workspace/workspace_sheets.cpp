#include "workspace/workspace_sheets.h"

#include "workspace/sheet_local.h"
#include "workspace/sheet_remote.h"

namespace linkmoor {

SheetFactory workspaceSheetFactory(JobThread &jobs) {
  return [&jobs](WorkspaceSheet::Kind kind, const QString &caption,
                 QWidget *parent) -> WorkspaceSheet * {
    if (kind == WorkspaceSheet::Kind::Remote) return new SheetRemote(caption, parent, jobs);
    return new SheetLocal(caption, parent, jobs);
  };
}

} // namespace linkmoor
