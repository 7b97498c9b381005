#include "workspace_test_support.h"

#include "app/progress_panel.h"
#include "storage/widgets/editor_control.h"
#include "workspace/error_rows.h"
#include "workspace/page_menu.h"
#include "workspace/report_list.h"
#include "workspace/sheet_local_pg_desc.h"
#include "workspace/sheet_local_pg_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

using namespace linkmoor;
using namespace linkmoor::test;

namespace {

QStringList row(ReportList *list, int r) {
  QStringList cells;
  for (int c = 0; c < 4; ++c)
    cells.append(list->cellText(r, c));
  return cells;
}

} // namespace

TEST_F(SheetTest, PageWithBrokenLinksListsThemWithTheirLines) {
  sheet_->showFile("broken/links.htm", true);
  EXPECT_EQ(sheet_->activePageIndex(), 2);
  ASSERT_TRUE(waitForJobs());
  ReportList *list = sheet_->descPage()->list();
  ASSERT_EQ(list->rowCount(), 7);
  EXPECT_EQ(row(list, 0),
            QStringList({"19", "Local link", "disk file does't exist", "nothere.htm"}));
  EXPECT_EQ(row(list, 1),
            QStringList({"20", "Local link", "disk file does't exist", "../images/missing.png"}));
  EXPECT_EQ(row(list, 4), QStringList({"23", "Site link", "disk file does't exist",
                                       "file:///nonexistent/linkmoordemo.htm"}));
  EXPECT_EQ(row(list, 6), QStringList({"28", "Remote link", "web site doesn't exist",
                                       "https://shop.example.invalid/cart?id=42"}));
  EXPECT_EQ(list->horizontalHeaderItem(0)->text(), "Line");
  EXPECT_EQ(list->horizontalHeaderItem(3)->text(), "Format or link");
  // The editor holds the page for the same file.
  EXPECT_EQ(sheet_->editPage()->fileLabel()->text(), "broken/links.htm");
  EXPECT_TRUE(sheet_->editPage()->saveButton()->isEnabled());
}

TEST_F(SheetTest, PageWithAMarkupErrorListsTheErrorNotItsLinks) {
  sheet_->showFile("broken/syntax/no-end-brace.htm", true);
  ASSERT_TRUE(waitForJobs());
  ReportList *list = sheet_->descPage()->list();
  ASSERT_EQ(list->rowCount(), 1);
  EXPECT_EQ(row(list, 0), QStringList({"16", "normal TAG", "no end brace >", "</html "}));
  sheet_->showFile("broken/syntax/unclosed-comment.htm", true);
  ASSERT_TRUE(waitForJobs());
  ASSERT_EQ(list->rowCount(), 1);
  EXPECT_EQ(row(list, 0), QStringList({"16", "comment", "no end comment TAG of -->",
                                       "<!-- draft: a list of further reading wi"}));
}

TEST_F(SheetTest, PageWithoutErrorsOpensTheEditor) {
  sheet_->showFile("index.html", false);
  EXPECT_EQ(sheet_->activePageIndex(), 3);
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(sheet_->descPage()->list()->rowCount(), 0);
  EXPECT_EQ(sheet_->editPage()->editor()->editorText().toStdString(), site_.read("index.html"));
}

TEST_F(SheetTest, CopyFormatOrLinkTakesColumnThree) {
  sheet_->showFile("broken/links.htm", true);
  ASSERT_TRUE(waitForJobs());
  SheetLocalPgDesc *desc = sheet_->descPage();
  ASSERT_EQ(desc->menuFor(2).size(), 1u);
  EXPECT_EQ(desc->menuFor(2)[0].text, "Copy format or link");
  EXPECT_TRUE(desc->menuFor(7).empty());
  desc->runCommand(CMD_COPY_FORMAT_OR_LINK, 2);
  EXPECT_EQ(QApplication::clipboard()->text(), "gone.htm#top");
}

TEST_F(SheetTest, AStoppedShowLeavesBothPagesEmpty) {
  gate_.pattern = "example.invalid/";
  sheet_->showFile("broken/links.htm", true);
  ASSERT_TRUE(waitUntil([&] { return gate_.reached.load(); }));
  jobs_->panel()->pressStop();
  gate_.release = true;
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(sheet_->descPage()->list()->rowCount(), 0);
  EXPECT_TRUE(sheet_->editPage()->editor()->editorText().isEmpty());
  EXPECT_FALSE(sheet_->editPage()->saveButton()->isEnabled());
  EXPECT_EQ(sheet_->currentFile(), "broken/links.htm");
}

TEST(ErrorRows, LineCountsFromOneAndExcerptsKeepTheirEncoding) {
  ErrorRecord record;
  record.line = 0;
  record.type = 3;
  record.code = 10;
  record.excerpt = "<p caf\xc3\xa9";
  EXPECT_EQ(errorCells(record, false, PageEncoding::Utf8),
            (ErrorCells{"1", "normal TAG", "no end brace >", QStringLiteral("<p caf\u00e9")}));
  record.excerpt = "<p caf\xe9";
  EXPECT_EQ(errorCells(record, false, PageEncoding::Latin1)[3], QStringLiteral("<p caf\u00e9"));
  // A UTF-8 excerpt cut inside a character drops the cut-off bytes.
  EXPECT_EQ(excerptText("ab\xe2\x82", PageEncoding::Utf8), "ab");
  EXPECT_EQ(excerptText("", PageEncoding::Utf8), "");

  ErrorRecord link;
  link.line = 4;
  link.type = 2;
  link.code = 10;
  link.excerpt = "";
  EXPECT_EQ(errorCells(link, true, PageEncoding::Utf8),
            (ErrorCells{"5", "Remote link", "web file does't exist - site is ok", ""}));
}
