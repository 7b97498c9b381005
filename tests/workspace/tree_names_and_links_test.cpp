// The local tree over real folders: names that are not UTF-8 keep their bytes down to
// the analysis, the clipboard and the browser; links are followed inside the root;
// what cannot be read is shown and analyses as "open".

#include "workspace_test_support.h"

#include "platform/open_with_html_program.h"
#include "storage/file_name_text.h"
#include "storage/widgets/editor_control.h"
#include "workspace/file_tree.h"
#include "workspace/report_list.h"
#include "workspace/sheet_local_pg_edit.h"
#include "workspace/sheet_local_pg_main.h"
#include "workspace/summary_page.h"
#include "workspace/tree_image_strip.h"
#include "workspace/tree_items.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace linkmoor;
using namespace linkmoor::test;

namespace {

const char kPage[] = "<html><body>\n<p>text</p>\n</body></html>\n";

int extensionCount(ReportList *list, const QString &extension) {
  for (int r = 0; r < list->rowCount(); ++r)
    if (list->cellText(r, 0) == extension) return list->cellText(r, 1).toInt();
  return 0;
}

// The address the HTML handler was started with, written by a small script.
std::string browsedAddress(SheetLocalPgMain *page, QTreeWidgetItem *item, const TempDir &dir) {
  const std::string out = dir.file("opened.txt");
  const std::string script =
      dir.write("opener.sh", "#!/bin/sh\necho \"$1\" > " + out + ".part\n/bin/mv " + out +
                                 ".part " + out + "\n");
  chmod(script.c_str(), 0755);
  setHtmlOpenCommand({script});
  page->runCommand(CMD_BROWSE, item);
  for (int i = 0; i < 1000 && !std::filesystem::exists(out); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  setHtmlOpenCommand({});
  return dir.read("opened.txt");
}

class TreeNamesAndLinks : public SheetTest {
protected:
  SheetLocalPgMain *page() const { return sheet_->mainPage(); }
  SummaryPage *info() const { return sheet_->summaryPage(); }
};

} // namespace

TEST_F(TreeNamesAndLinks, APageNamedInLatin1IsShownReadablyAndAnalysedByItsBytes) {
  site_.write("caf\xE9.htm", kPage);
  site_.write("d\xE9p/inner.htm", kPage);
  refreshSheet();
  QTreeWidgetItem *latin = childWithBytes(page()->rootItem(), "caf\xE9.htm");
  ASSERT_NE(latin, nullptr);
  EXPECT_EQ(latin->text(0), "caf\\xE9.htm");
  EXPECT_EQ(treeImage(latin), LOCAL_IMAGE_HTML);
  const QString size = QString::number(sizeof kPage - 1);
  EXPECT_EQ(analysedRows(latin, CMD_ANALYZE_FILE).size(), 1);
  EXPECT_EQ(info()->list()->cellText(0, 1), size) << "not \"open\"";

  QTreeWidgetItem *folder = childWithBytes(page()->rootItem(), "d\xE9p");
  ASSERT_NE(folder, nullptr);
  EXPECT_EQ(folder->text(0), "d\\xE9p");
  EXPECT_EQ(analysedRows(folder, CMD_ANALYZE_RECURSIVE), QStringList({"inner.htm=" + size}));
}

TEST_F(TreeNamesAndLinks, CopyAndBrowseUseTheBytesOfTheName) {
  site_.write("caf\xE9.htm", kPage);
  refreshSheet();
  QTreeWidgetItem *latin = childWithBytes(page()->rootItem(), "caf\xE9.htm");
  ASSERT_NE(latin, nullptr);
  page()->runCommand(CMD_COPY_PATH, latin);
  const QMimeData *data = QApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), QString::fromStdString(site_.path()) + "/caf\\xE9.htm");
  EXPECT_EQ(data->data(QStringLiteral("text/uri-list")).toStdString(),
            "file://" + site_.path() + "/caf%E9.htm\r\n");
  TempDir scratch;
  EXPECT_EQ(browsedAddress(page(), latin, scratch), "file://" + site_.path() + "/caf%E9.htm\n");
}

TEST_F(TreeNamesAndLinks, LinksAreFollowedInsideTheRootLoopsShownOnceOutsideLeftOut) {
  ReportList *extensions = page()->extensionList();
  const int htm = extensionCount(extensions, "htm");
  const int html = extensionCount(extensions, "html");
  TempDir outside;
  outside.write("far/secret.htm", kPage);
  namespace fs = std::filesystem;
  fs::create_directory_symlink("docs", site_.file("linked"));
  fs::create_symlink("index.html", site_.file("page-link.htm"));
  fs::create_symlink("gone.htm", site_.file("dangling.htm"));
  fs::create_directory_symlink("..", site_.file("docs/up"));
  fs::create_directory_symlink(outside.file("far"), site_.file("far"));
  refreshSheet();
  QTreeWidgetItem *root = page()->rootItem();
  QTreeWidgetItem *linked = childWithBytes(root, "linked");
  ASSERT_NE(linked, nullptr);
  EXPECT_EQ(treeImage(linked), LOCAL_IMAGE_FOLDER);
  EXPECT_NE(childWithBytes(linked, "guide.html"), nullptr);
  EXPECT_EQ(treeImage(childWithBytes(root, "page-link.htm")), LOCAL_IMAGE_HTML);
  QTreeWidgetItem *up = childWithBytes(childWithBytes(root, "docs"), "up");
  ASSERT_NE(up, nullptr);
  EXPECT_EQ(treeImage(up), LOCAL_IMAGE_FOLDER);
  EXPECT_EQ(up->childCount(), 0) << "a folder already on the path is not entered again";
  EXPECT_EQ(childWithBytes(root, "far"), nullptr) << "links out of the root are left out";
  EXPECT_EQ(extensionCount(extensions, "htm"), htm + 3);
  EXPECT_EQ(extensionCount(extensions, "html"), html + 2);
  QTreeWidgetItem *dangling = childWithBytes(root, "dangling.htm");
  ASSERT_NE(dangling, nullptr);
  EXPECT_EQ(analysedRows(dangling, CMD_ANALYZE_FILE), QStringList({"dangling.htm=open"}));
}

TEST_F(TreeNamesAndLinks, FoldersThatCannotBeReadAreShownAndHandedToTheInfoPage) {
  if (geteuid() == 0) GTEST_SKIP() << "Skipped: root reads every folder";
  site_.write("box/locked/p.htm", kPage);
  site_.write("box/half/q.htm", kPage);
  chmod(site_.file("box/locked").c_str(), 0);
  chmod(site_.file("box/half").c_str(), 0400);
  refreshSheet();
  QTreeWidgetItem *box = childWithBytes(page()->rootItem(), "box");
  ASSERT_NE(box, nullptr);
  QTreeWidgetItem *locked = childWithBytes(box, "locked");
  ASSERT_NE(locked, nullptr);
  EXPECT_EQ(treeImage(locked), LOCAL_IMAGE_FOLDER);
  EXPECT_NE(childWithBytes(childWithBytes(box, "half"), "q.htm"), nullptr);
  const QStringList rows = analysedRows(box, CMD_ANALYZE_RECURSIVE);
  const QStringList alone = analysedRows(locked, CMD_ANALYZE_RECURSIVE);
  chmod(site_.file("box/locked").c_str(), 0700);
  chmod(site_.file("box/half").c_str(), 0700);
  // Both are handed to the info page: the page that cannot be looked at reads
  // "open"; the folder's row is handed on by its name (the info page reads only
  // rows named as pages).
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[0], "half/q.htm=open");
  EXPECT_TRUE(rows[1].startsWith("locked=")) << rows[1].toStdString();
  ASSERT_EQ(alone.size(), 1);
  EXPECT_TRUE(alone[0].startsWith("locked=")) << alone[0].toStdString();
}

TEST_F(TreeNamesAndLinks, APageNamedInLatin1IsSavedUnderItsOwnName) {
  site_.write("caf\xE9.htm", kPage);
  refreshSheet();
  sheet_->showFile(carriedText("caf\xE9.htm"), false);
  ASSERT_TRUE(waitForJobs());
  EditorControl *editor = sheet_->editPage()->editor();
  editor->selectAll();
  editor->insertPlainText(QStringLiteral("<p>new</p>\n"));
  {
    MessageAnswers answers;
    sheet_->editPage()->saveButton()->click();
    ASSERT_TRUE(waitForJobs());
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_TRUE(answers.texts().value(0).contains("successful:\tsave the file to disk"))
        << answers.texts().value(0).toStdString();
  }
  EXPECT_EQ(site_.read("caf\xE9.htm"), "<p>new</p>\n");
  EXPECT_FALSE(std::filesystem::exists(site_.file(carriedText("caf\xE9.htm"))))
      << "no second file under the carried name";
}
