// File names on the info page and the edit page's label: a name that is not UTF-8
// is shown readably ("\xE9") while its bytes are what is analysed, edited and
// saved; a folder handed to the info page because it cannot be read reads "open".

#include "workspace_test_support.h"

#include "storage/file_name_text.h"
#include "storage/widgets/editor_control.h"
#include "workspace/file_tree.h"
#include "workspace/page_menu.h"
#include "workspace/report_list.h"
#include "workspace/sheet_local_pg_edit.h"
#include "workspace/sheet_local_pg_main.h"
#include "workspace/summary_page.h"
#include "workspace/tree_items.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <sys/stat.h>
#include <unistd.h>

using namespace linkmoor;
using namespace linkmoor::test;

namespace {

const char kPage[] = "<html><body>\n<p>text</p>\n</body></html>\n";

class ReadableRowNames : public SheetTest {
protected:
  SheetLocalPgMain *page() const { return sheet_->mainPage(); }
  SummaryPage *info() const { return sheet_->summaryPage(); }
};

} // namespace

TEST_F(ReadableRowNames, ALatin1NameIsShownReadablyOnTheInfoRowAndTheEditorLabel) {
  site_.write("caf\xE9.htm", kPage);
  refreshSheet();
  QTreeWidgetItem *latin = childWithBytes(page()->rootItem(), "caf\xE9.htm");
  ASSERT_NE(latin, nullptr);
  const QString size = QString::number(sizeof kPage - 1);
  EXPECT_EQ(analysedRows(latin, CMD_ANALYZE_FILE), QStringList({"caf\\xE9.htm=" + size}))
      << "shown readably and analysed by its bytes";

  // Editing the row opens the page under its bytes and labels it readably.
  {
    MessageAnswers answers;
    answers.then(QMessageBox::Yes);
    info()->runCommand(CMD_EDIT_SHOW_DESCRIPTION, 0);
    ASSERT_TRUE(waitForJobs());
  }
  EXPECT_EQ(sheet_->editPage()->fileLabel()->text(), QStringLiteral("caf\\xE9.htm"));
  EditorControl *editor = sheet_->editPage()->editor();
  EXPECT_TRUE(editor->toPlainText().contains(QStringLiteral("<p>text</p>")));

  // Saving writes the file of the original bytes, and the row it updates is found
  // by the carried name it keeps.
  editor->selectAll();
  editor->insertPlainText(QStringLiteral("<p>new</p>\n"));
  {
    MessageAnswers answers;
    sheet_->editPage()->saveButton()->click();
    ASSERT_TRUE(waitForJobs());
  }
  EXPECT_EQ(site_.read("caf\xE9.htm"), "<p>new</p>\n");
  EXPECT_EQ(info()->list()->cellText(0, 0), QStringLiteral("caf\\xE9.htm"));
  EXPECT_EQ(info()->list()->cellText(0, 1), QStringLiteral("11"));
}

TEST_F(ReadableRowNames, AFolderThatCannotBeReadReadsOpenOnTheInfoPage) {
  if (geteuid() == 0) GTEST_SKIP() << "Skipped: root reads every folder";
  site_.write("box/locked/p.htm", kPage);
  refreshSheet();
  chmod(site_.file("box/locked").c_str(), 0);
  refreshSheet();
  QTreeWidgetItem *box = childWithBytes(page()->rootItem(), "box");
  ASSERT_NE(box, nullptr);
  const QStringList rows = analysedRows(box, CMD_ANALYZE_RECURSIVE);
  chmod(site_.file("box/locked").c_str(), 0700);
  EXPECT_EQ(rows, QStringList({"locked=open"})) << "not \"wait ...\"";
}
