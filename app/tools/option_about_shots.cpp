#include "app/tools/option_about_shots.h"

#include "app/tools/screenshot_support.h"
#include "markup/about_dialog.h"
#include "markup/markup_label.h"
#include "workspace/sheet_option.h"

namespace linkmoor::shots {

bool saveOptionAndAboutShots(QWidget *owner, const QUrl &homePage, const QString &dir) {
  bool ok = true;
  {
    SheetOption sheet(owner);
    sheet.show();
    ok &= save(&sheet, dir, QStringLiteral("options-sheet.png"));
    sheet.reject();
  }
  {
    AboutDialog about(homePage, owner);
    about.show();
    settle();
    // The text starts 50 rows down; let it climb to just below the top.
    for (int i = 0; i < 44; ++i)
      about.label()->tick();
    ok &= save(&about, dir, QStringLiteral("about-box.png"));
    about.reject();
  }
  return ok;
}

} // namespace linkmoor::shots
