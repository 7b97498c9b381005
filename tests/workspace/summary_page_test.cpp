#include "workspace_test_support.h"

#include "app/progress_panel.h"
#include "workspace/page_menu.h"
#include "workspace/report_list.h"
#include "workspace/sheet_local_pg_info.h"
#include "workspace/sheet_local_pg_main.h"
#include "workspace/summary_row.h"

#include <QTreeWidgetItem>
#include <map>

using namespace linkmoor;
using namespace linkmoor::test;

namespace {

// A row's 13 cells.
QStringList rowCells(ReportList *list, int row) {
  QStringList cells;
  for (int c = 0; c < 13; ++c)
    cells.append(list->cellText(row, c));
  return cells;
}

std::map<QString, QStringList> rowsByFile(ReportList *list) {
  std::map<QString, QStringList> rows;
  for (int r = 0; r < list->rowCount(); ++r)
    rows[list->cellText(r, 0)] = rowCells(list, r);
  return rows;
}

// Five pages with two remote links each, in the folder five/.
void writeFivePages(const TempDir &site) {
  for (int i = 1; i <= 5; ++i) {
    const std::string n = std::to_string(i);
    site.write("five/p" + n + ".htm", "<html><body>\n<a href=\"http://host.invalid/p" + n +
                                          "/a\">a</a>\n<a href=\"http://host.invalid/p" + n +
                                          "/b\">b</a>\n</body></html>\n");
  }
}

class SummaryTest : public SheetTest {
protected:
  SheetLocalPgInfo *info() const { return sheet_->infoPage(); }
  ReportList *list() const { return info()->list(); }
  void analyzeRecursively(QTreeWidgetItem *item) {
    sheet_->mainPage()->runCommand(CMD_ANALYZE_RECURSIVE, item);
  }
  QTreeWidgetItem *folderItem(const QString &name) {
    QTreeWidgetItem *root = sheet_->mainPage()->rootItem();
    for (int i = 0; i < root->childCount(); ++i)
      if (root->child(i)->text(0) == name) return root->child(i);
    return nullptr;
  }
};

} // namespace

TEST_F(SummaryTest, WholeDemoSiteGivesTheCountsOfItsReadme) {
  analyzeRecursively(sheet_->mainPage()->rootItem());
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(info()->folder(), "");
  ASSERT_EQ(list()->rowCount(), 14);
  // Tree order: sub-folders first, depth first.
  EXPECT_EQ(list()->cellText(0, 0), "blog/2024/post.html");
  EXPECT_EQ(list()->cellText(1, 0), "broken/syntax/blank-after-lt.htm");
  EXPECT_EQ(list()->cellText(8, 0), "broken/links.htm");
  EXPECT_EQ(list()->cellText(13, 0), "index.html");

  std::map<QString, QStringList> rows = rowsByFile(list());
  using L = QStringList;
  // file, bytes, errs, tags, err, scripts, err, L, err, F, err, R, err
  EXPECT_EQ(rows["index.html"],
            L({"index.html", "1784", "0", "57", "", "1", "", "12", "", "0", "", "0", ""}));
  EXPECT_EQ(rows["about.htm"],
            L({"about.htm", "918", "0", "44", "", "0", "", "8", "", "0", "", "0", ""}));
  EXPECT_EQ(rows["docs/guide.html"],
            L({"docs/guide.html", "1233", "1", "51", "", "0", "", "7", "", "0", "", "1", "1"}));
  EXPECT_EQ(rows["docs/reference/api.htm"], L({"docs/reference/api.htm", "1137", "1", "52", "", "0",
                                               "", "7", "", "1", "1", "0", ""}));
  EXPECT_EQ(rows["docs/reference/tool--daemon.html"],
            L({"docs/reference/tool--daemon.html", "492", "0", "27", "", "0", "", "3", "", "0", "",
               "0", ""}));
  EXPECT_EQ(rows["blog/2024/post.html"], L({"blog/2024/post.html", "1405", "3", "40", "", "1", "",
                                            "6", "1", "0", "", "2", "2"}));
  EXPECT_EQ(rows["broken/links.htm"],
            L({"broken/links.htm", "1332", "7", "72", "", "0", "", "10", "4", "1", "1", "2", "2"}));
  // A page with a markup error shows no link counts at all, though it has a link.
  EXPECT_EQ(rows["broken/syntax/blank-after-lt.htm"],
            L({"broken/syntax/blank-after-lt.htm", "721", "1", "27", "1", "0", "", "", "", "", "",
               "", ""}));
  EXPECT_EQ(rows["broken/syntax/unclosed-script.htm"],
            L({"broken/syntax/unclosed-script.htm", "814", "1", "24", "", "1", "1", "", "", "", "",
               "", ""}));
  int errors = 0;
  for (const auto &[file, cells] : rows)
    errors += cells[2].toInt();
  EXPECT_EQ(errors, 12 + 7);
}

TEST_F(SummaryTest, FolderIsShownInTheHeaderAndRowsAreRelativeToIt) {
  analyzeRecursively(folderItem("broken"));
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(info()->folder(), "broken/");
  ASSERT_EQ(list()->rowCount(), 8);
  EXPECT_EQ(list()->cellText(0, 0), "syntax/blank-after-lt.htm");
  EXPECT_EQ(list()->cellText(7, 0), "links.htm");
  EXPECT_EQ(info()->findRow("broken/links.htm"), 7);
  EXPECT_EQ(info()->findRow("broken/nothing.htm"), -1);
  EXPECT_EQ(info()->rowPath(7), "broken/links.htm");
}

TEST_F(SummaryTest, StopDuringTheThirdOfFivePagesCancelsTheRest) {
  writeFivePages(site_);
  refreshSheet();
  gate_.pattern = "/p3/a";
  analyzeRecursively(folderItem("five"));
  ASSERT_TRUE(waitUntil([&] { return gate_.reached.load(); }));
  EXPECT_EQ(list()->cellText(2, 1), kRowWaiting);
  jobs_->panel()->pressStop();
  gate_.release = true;
  ASSERT_TRUE(waitForJobs());
  ASSERT_EQ(list()->rowCount(), 5);
  using L = QStringList;
  for (int row : {0, 1})
    EXPECT_EQ(rowCells(list(), row).mid(1),
              L({"110", "2", "8", "", "0", "", "0", "", "0", "", "2", "2"}))
        << row;
  for (int row : {2, 3, 4})
    EXPECT_EQ(rowCells(list(), row).mid(1),
              L({"canceled", "", "", "", "", "", "", "", "", "", "", ""}))
        << row;
}

TEST_F(SummaryTest, SkipCancelsOnlyThatPage) {
  writeFivePages(site_);
  refreshSheet();
  gate_.pattern = "/p2/a";
  analyzeRecursively(folderItem("five"));
  ASSERT_TRUE(waitUntil([&] { return gate_.reached.load(); }));
  jobs_->panel()->pressSkip();
  gate_.release = true;
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(list()->cellText(1, 1), kRowCanceled);
  EXPECT_EQ(list()->cellText(1, 2), "");
  for (int row : {0, 2, 3, 4}) {
    EXPECT_EQ(list()->cellText(row, 1), "110") << row;
    EXPECT_EQ(list()->cellText(row, 12), "2") << row;
  }
}

TEST_F(SummaryTest, FilesThatCannotBeAnalysedShowWhy) {
  site_.write("odd/empty.htm", "");
  site_.write("odd/binary.htm", std::string("<p>\0</p>", 8));
  refreshSheet();
  analyzeRecursively(folderItem("odd"));
  ASSERT_TRUE(waitForJobs());
  std::map<QString, QStringList> rows = rowsByFile(list());
  EXPECT_EQ(rows["empty.htm"].mid(1),
            QStringList({"empty", "", "", "", "", "", "", "", "", "", "", ""}));
  EXPECT_EQ(rows["binary.htm"][1], "binary");
  // A page removed after the tree was read cannot be opened.
  std::filesystem::remove(sitePath("odd/empty.htm"));
  list()->selectRow(list()->rowCount() - 1);
  ASSERT_EQ(list()->cellText(list()->rowCount() - 1, 0), "empty.htm");
  sheet_->refreshFile();
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(list()->cellText(list()->rowCount() - 1, 1), "open");
}

TEST_F(SummaryTest, RefreshingACorrectedRowLeavesNoOldErrors) {
  analyzeRecursively(folderItem("blog"));
  ASSERT_TRUE(waitForJobs());
  ASSERT_EQ(list()->cellText(0, 2), "3");
  site_.write("blog/2024/post.html",
              "<html><body><a href=\"../../index.html\">home</a></body></html>");
  list()->selectRow(0);
  info()->runCommand(CMD_REFRESH_FILE, 0);
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(rowCells(list(), 0).mid(1),
            QStringList({"61", "0", "6", "", "0", "", "1", "", "0", "", "0", ""}));
}

TEST_F(SummaryTest, MenuIsGrayedWhileAJobRuns) {
  analyzeRecursively(folderItem("docs"));
  ASSERT_TRUE(waitForJobs());
  std::vector<PageMenuItem> idle = info()->menuFor(0);
  ASSERT_EQ(idle.size(), 4u);
  EXPECT_EQ(idle[0].text, "Edit && show description");
  EXPECT_EQ(idle[1].text, "Refresh the file");
  EXPECT_EQ(idle[3].text, "Browse the file");
  EXPECT_TRUE(idle[0].enabled && idle[1].enabled && idle[3].enabled);
  EXPECT_TRUE(info()->menuFor(-1).empty());
  EXPECT_TRUE(info()->menuFor(list()->rowCount()).empty());

  BlockingJob blocker;
  ASSERT_TRUE(jobs_->startJob(&blocker, JOB_LOCAL_ANALYZE));
  std::vector<PageMenuItem> busy = info()->menuFor(0);
  EXPECT_FALSE(busy[0].enabled);
  EXPECT_FALSE(busy[1].enabled);
  EXPECT_TRUE(busy[3].enabled);
  blocker.release = true;
  ASSERT_TRUE(waitForJobs());
}

TEST_F(SummaryTest, EditingARowWithoutErrorsAsksFirst) {
  analyzeRecursively(folderItem("docs"));
  ASSERT_TRUE(waitForJobs());
  const int clean = info()->findRow("docs/reference/tool--daemon.html");
  ASSERT_GE(clean, 0);
  {
    MessageAnswers answers;
    answers.then(QMessageBox::No);
    info()->runCommand(CMD_EDIT_SHOW_DESCRIPTION, clean);
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_EQ(answers.texts()[0],
              "Can not find errors for the file,\ndo you still want to edit it?\n");
  }
  EXPECT_TRUE(sheet_->currentFile().empty());
  EXPECT_EQ(sheet_->activePageIndex(), 1);
  EXPECT_FALSE(jobs_->isRunning());
  {
    MessageAnswers answers;
    answers.then(QMessageBox::Yes);
    info()->runCommand(CMD_EDIT_SHOW_DESCRIPTION, clean);
    ASSERT_TRUE(waitForJobs());
  }
  EXPECT_EQ(sheet_->currentFile(), "docs/reference/tool--daemon.html");
  EXPECT_EQ(sheet_->activePageIndex(), 3);
}

TEST_F(SummaryTest, ACanceledRowCannotBeEdited) {
  writeFivePages(site_);
  refreshSheet();
  gate_.pattern = "/p1/a";
  analyzeRecursively(folderItem("five"));
  ASSERT_TRUE(waitUntil([&] { return gate_.reached.load(); }));
  jobs_->panel()->pressStop();
  gate_.release = true;
  ASSERT_TRUE(waitForJobs());
  MessageAnswers answers;
  info()->runCommand(CMD_EDIT_SHOW_DESCRIPTION, 0);
  ASSERT_EQ(answers.texts().size(), 1);
  EXPECT_EQ(answers.texts()[0], "Canceled file can not be edited");
  EXPECT_TRUE(sheet_->currentFile().empty());
}

TEST(SummaryRow, CellsFromASummary) {
  FileSummary clean;
  clean.size = 120;
  clean.tags = 10;
  clean.localLinks = 3;
  const SummaryCells fine = summaryCells(clean);
  EXPECT_EQ(QStringList(fine.begin(), fine.end()),
            QStringList({"120", "0", "10", "", "0", "", "3", "", "0", "", "0", ""}));
  FileSummary broken = clean;
  broken.tagErrors = 2;
  broken.localLinksMissing = 1;
  const SummaryCells cells = summaryCells(broken);
  EXPECT_EQ(QStringList(cells.begin(), cells.end()),
            QStringList({"120", "3", "10", "2", "0", "", "", "", "", "", "", ""}));
  const SummaryCells canceled = canceledCells();
  EXPECT_EQ(canceled[0], "canceled");
  EXPECT_EQ(notAnalyzedCells("read")[0], "read");
}

TEST(SummaryRow, ErrorColumnReadAsADecimalNumber) {
  EXPECT_TRUE(rowHasErrors("3"));
  EXPECT_TRUE(rowHasErrors(" 12"));
  EXPECT_FALSE(rowHasErrors("0"));
  EXPECT_FALSE(rowHasErrors(""));
  EXPECT_FALSE(rowHasErrors("-4"));
  EXPECT_FALSE(rowHasErrors("x1"));
  EXPECT_TRUE(rowHasErrors("99999999999999999999"));
}
