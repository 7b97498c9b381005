// The main window opens the remote sheet through the program's factory and lists the
// root; opening another remote site asks first when the editor holds unsaved changes.

#include "remote_test_support.h"

#include "app/main_dialog.h"
#include "app/main_window_services.h"
#include "storage/widgets/editor_control.h"
#include "workspace/edit_page.h"
#include "workspace/sheet_remote_pg_edit.h"
#include "workspace/sheet_remote_pg_main.h"
#include "workspace/workspace_sheets.h"

#include <QTreeWidgetItem>

namespace linkmoor::test {
namespace {

using RemoteMainWindow = RemoteSheetTest;

TEST_F(RemoteMainWindow, OpeningAnotherSiteAsksBeforeDroppingUnsavedEdits) {
  MainWindowServices services;
  services.sheetFactory = workspaceSheetFactory(*jobs_);
  int dialogs = 0;
  services.connectDialog = [&](QWidget *) {
    ++dialogs;
    return true;
  };
  MainDialog main(*jobs_, services);
  main.resize(900, 600);
  main.show();
  settle();
  main.openRemoteProject();
  ASSERT_TRUE(waitForJobs());
  auto *sheet = dynamic_cast<SheetRemote *>(main.remoteSheet());
  ASSERT_NE(sheet, nullptr);
  ASSERT_NE(sheet->mainPage()->rootItem(), nullptr);
  EXPECT_EQ(sheet->mainPage()->rootItem()->childCount(), 3);

  sheet->editPage()->editor()->insertPlainText("my corrections");
  ASSERT_TRUE(sheet->hasUnsavedEdits());
  {
    MessageAnswers answers;
    answers.then(QMessageBox::No);
    main.openRemoteProject();
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_EQ(answers.texts()[0].toStdString(), kDiscardEditsQuestion);
  }
  EXPECT_EQ(dialogs, 1) << "No keeps the connection: the dialog does not open";
  EXPECT_TRUE(sheet->hasUnsavedEdits());
  {
    MessageAnswers answers;
    answers.then(QMessageBox::Yes);
    main.openRemoteProject();
    EXPECT_EQ(answers.texts().size(), 1);
  }
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(dialogs, 2);
  EXPECT_EQ(main.remoteSheet(), sheet) << "the same kind keeps the sheet";
  EXPECT_FALSE(sheet->hasUnsavedEdits());
  ASSERT_NE(sheet->mainPage()->rootItem(), nullptr);
  EXPECT_EQ(sheet->mainPage()->rootItem()->childCount(), 3);
}

} // namespace
} // namespace linkmoor::test
