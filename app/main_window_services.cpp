#include "app/main_window_services.h"

#include "app/place_dialog.h"
#include "app/placeholder_sheet.h"

namespace linkmoor {

MainWindowServices MainWindowServices::basic() {
  MainWindowServices services;
  services.sheetFactory = [](WorkspaceSheet::Kind kind, const QString &caption,
                             QWidget *parent) -> WorkspaceSheet * {
    return new PlaceholderSheet(kind, caption, parent);
  };
  services.localProjectDialog = runPlaceDialog;
  return services;
}

} // namespace linkmoor
