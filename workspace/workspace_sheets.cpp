#include "workspace/workspace_sheets.h"

#include "app/job_thread.h"
#include "app/main_dialog.h"
#include "app/placeholder_sheet.h"
#include "workspace/sheet_local.h"

namespace linkmoor {

void installWorkspaceSheets() {
  sheetFactory() = [](WorkspaceSheet::Kind kind, const QString &caption,
                      QWidget *parent) -> WorkspaceSheet * {
    if (kind == WorkspaceSheet::Kind::Remote) return new PlaceholderSheet(kind, caption, parent);
    auto *main = qobject_cast<MainDialog *>(parent);
    return new SheetLocal(caption, parent, main ? main->jobs() : jobThread());
  };
}

} // namespace linkmoor
