#include "workspace_test_support.h"

#include "platform/open_with_html_program.h"
#include "storage/current_projects.h"
#include "workspace/file_tree.h"
#include "workspace/report_list.h"
#include "workspace/sheet_local_pg_main.h"
#include "workspace/summary_page.h"
#include "workspace/tree_image_strip.h"
#include "workspace/tree_items.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItem>
#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

using namespace linkmoor;
using namespace linkmoor::test;

namespace {

QStringList childTexts(const QTreeWidgetItem *item) {
  QStringList texts;
  for (int i = 0; i < item->childCount(); ++i)
    texts.append(item->child(i)->text(0));
  return texts;
}

QTreeWidgetItem *childNamed(QTreeWidgetItem *item, const QString &name) {
  for (int i = 0; i < item->childCount(); ++i)
    if (item->child(i)->text(0) == name) return item->child(i);
  return nullptr;
}

QTreeWidgetItem *itemAt(SheetLocalPgMain *page, const QString &path) {
  QTreeWidgetItem *item = page->rootItem();
  for (const QString &segment : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    item = item ? childNamed(item, segment) : nullptr;
  }
  return item;
}

std::vector<QStringList> listRows(ReportList *list) {
  std::vector<QStringList> rows;
  for (int r = 0; r < list->rowCount(); ++r) {
    QStringList row;
    for (int c = 0; c < list->columnCount(); ++c)
      row.append(list->cellText(r, c));
    rows.push_back(row);
  }
  return rows;
}

} // namespace

TEST_F(SheetTest, TreeShowsFoldersFirstThenFilesEachSortedByName) {
  SheetLocalPgMain *page = sheet_->mainPage();
  QTreeWidgetItem *root = page->rootItem();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->text(0), QString::fromStdString(site_.path()));
  EXPECT_TRUE(root->isExpanded());
  EXPECT_EQ(childTexts(root), QStringList({"blog", "broken", "css", "docs", "images", "about.htm",
                                           "index.html", "README.txt"}));
  EXPECT_EQ(childTexts(itemAt(page, "broken")), QStringList({"syntax", "links.htm"}));
  EXPECT_EQ(childTexts(itemAt(page, "docs")), QStringList({"reference", "guide.html"}));
  EXPECT_EQ(childTexts(itemAt(page, "broken/syntax")),
            QStringList({"blank-after-lt.htm", "blank-between-dashes.htm",
                         "blank-in-comment-open.htm", "no-end-brace.htm", "unclosed-comment.htm",
                         "unclosed-script.htm", "unclosed-string.htm"}));
}

TEST_F(SheetTest, TreeImagesTellFoldersPagesAndOtherFiles) {
  SheetLocalPgMain *page = sheet_->mainPage();
  EXPECT_EQ(treeImage(page->rootItem()), LOCAL_IMAGE_FOLDER);
  EXPECT_EQ(treeImage(itemAt(page, "docs")), LOCAL_IMAGE_FOLDER);
  EXPECT_EQ(treeImage(itemAt(page, "index.html")), LOCAL_IMAGE_HTML);
  EXPECT_EQ(treeImage(itemAt(page, "about.htm")), LOCAL_IMAGE_HTML);
  EXPECT_EQ(treeImage(itemAt(page, "README.txt")), LOCAL_IMAGE_FILE);
  EXPECT_EQ(treeImage(itemAt(page, "css/site.css")), LOCAL_IMAGE_FILE);
  // The selected picture is the next cell of the strip.
  const QIcon icon = itemAt(page, "index.html")->icon(0);
  EXPECT_EQ(icon.pixmap(16, 16, QIcon::Normal).toImage(),
            TreeImageStrip::local().cell(LOCAL_IMAGE_HTML).toImage());
  EXPECT_EQ(icon.pixmap(16, 16, QIcon::Selected).toImage(),
            TreeImageStrip::local().cell(LOCAL_IMAGE_HTML + 1).toImage());
}

TEST_F(SheetTest, CaseOfTheExtensionDecidesThePictureButNotTheCount) {
  site_.write("extra/PAGE.HTM", "<p>x</p>");
  site_.write("extra/index.HTML", "<p>x</p>");
  site_.write("extra/.htm", "<p>x</p>");
  site_.write("extra/Makefile", "all:");
  refreshSheet();
  SheetLocalPgMain *page = sheet_->mainPage();
  EXPECT_EQ(treeImage(itemAt(page, "extra/PAGE.HTM")), LOCAL_IMAGE_FILE);
  EXPECT_EQ(treeImage(itemAt(page, "extra/index.HTML")), LOCAL_IMAGE_FILE);
  EXPECT_EQ(treeImage(itemAt(page, "extra/.htm")), LOCAL_IMAGE_FILE);
  EXPECT_TRUE(page->menuFor(itemAt(page, "extra/PAGE.HTM")).empty());

  const std::vector<QStringList> rows = listRows(page->extensionList());
  // 10 .htm pages of the demo site, .htm and PAGE.HTM; 4 .html and index.HTML.
  ASSERT_GE(rows.size(), 4u);
  EXPECT_EQ(rows[0], QStringList({"htm", "12", "Yes"}));
  EXPECT_EQ(rows[1], QStringList({"html", "5", "Yes"}));
  // Then the others, sorted without regard to case; the name without "." counts as "".
  EXPECT_EQ(rows[2], QStringList({"", "1", ""}));
  EXPECT_EQ(rows[3], QStringList({"css", "1", ""}));
}

TEST_F(SheetTest, ExtensionListOfTheDemoSite) {
  EXPECT_EQ(listRows(sheet_->mainPage()->extensionList()),
            std::vector<QStringList>({{"htm", "10", "Yes"},
                                      {"html", "4", "Yes"},
                                      {"css", "1", ""},
                                      {"gif", "1", ""},
                                      {"png", "1", ""},
                                      {"txt", "1", ""}}));
  ReportList *list = sheet_->mainPage()->extensionList();
  EXPECT_EQ(list->horizontalHeaderItem(0)->text(), "File");
  EXPECT_EQ(list->horizontalHeaderItem(1)->text(), "Count");
  EXPECT_EQ(list->horizontalHeaderItem(2)->text(), "Support");
}

TEST_F(SheetTest, EmptyRootGivesNoExtensionsAndNothingToAnalyze) {
  TempDir empty;
  CurrentLocalProject.rootPath = empty.path() + "/";
  refreshSheet();
  SheetLocalPgMain *page = sheet_->mainPage();
  EXPECT_EQ(page->rootItem()->text(0), QString::fromStdString(empty.path()));
  EXPECT_EQ(page->extensionList()->rowCount(), 0);
  MessageAnswers answers;
  page->runCommand(CMD_ANALYZE_RECURSIVE, page->rootItem());
  ASSERT_EQ(answers.texts().size(), 1);
  EXPECT_EQ(answers.texts()[0], "Can not find any supported files to analyze");
  EXPECT_EQ(sheet_->activePageIndex(), 0);
}

TEST_F(SheetTest, MenusOfPagesAndFolders) {
  SheetLocalPgMain *page = sheet_->mainPage();
  std::vector<PageMenuItem> html = page->menuFor(itemAt(page, "index.html"));
  std::vector<PageMenuItem> folder = page->menuFor(itemAt(page, "docs"));
  std::vector<PageMenuItem> root = page->menuFor(page->rootItem());
  EXPECT_TRUE(page->menuFor(itemAt(page, "README.txt")).empty());
  EXPECT_TRUE(page->menuFor(nullptr).empty());
  EXPECT_EQ(folder, root);

  auto find = [](const std::vector<PageMenuItem> &items, int id) -> const PageMenuItem * {
    for (const PageMenuItem &item : items)
      if (item.id == id) return &item;
    return nullptr;
  };
  ASSERT_NE(find(html, CMD_ANALYZE_FILE), nullptr);
  EXPECT_EQ(find(html, CMD_ANALYZE_FILE)->text, "Analyzing the file");
  EXPECT_EQ(find(html, CMD_ANALYZE_FOLDER), nullptr);
  EXPECT_EQ(find(html, CMD_ANALYZE_RECURSIVE), nullptr);
  for (int grayed : {CMD_COLLAPSE_OTHERS, CMD_COLLAPSE, CMD_EXPAND})
    EXPECT_FALSE(find(html, grayed)->enabled) << grayed;
  EXPECT_TRUE(find(html, CMD_BROWSE)->enabled);
  EXPECT_TRUE(find(html, CMD_COPY_PATH)->enabled);

  EXPECT_EQ(find(folder, CMD_ANALYZE_FILE), nullptr);
  EXPECT_EQ(find(folder, CMD_ANALYZE_FOLDER)->text, "Analyzing without sub-directory");
  EXPECT_EQ(find(folder, CMD_ANALYZE_RECURSIVE)->text, "Analyzing with sub-directory");
  EXPECT_FALSE(find(folder, CMD_BROWSE)->enabled);
  for (int open : {CMD_COLLAPSE_OTHERS, CMD_COLLAPSE, CMD_EXPAND, CMD_COPY_PATH})
    EXPECT_TRUE(find(folder, open)->enabled) << open;
  EXPECT_EQ(find(folder, CMD_COPY_PATH)->text, "Copy path name");
  EXPECT_EQ(find(folder, CMD_BROWSE)->text, "Browse the file");
}

TEST_F(SheetTest, MenuOpensOnlyOnTheLabelOfTheSelectedItem) {
  SheetLocalPgMain *page = sheet_->mainPage();
  FileTree *tree = page->tree();
  QTreeWidgetItem *docs = itemAt(page, "docs");
  QTreeWidgetItem *about = itemAt(page, "about.htm");
  tree->setCurrentItem(docs);
  settle();
  const QRect label = tree->labelRect(docs);
  ASSERT_FALSE(label.isEmpty());
  EXPECT_EQ(tree->selectedLabelAt(label.center()), docs);
  // On its picture, beside its text, or on an item that is not the selected one: none.
  EXPECT_EQ(tree->selectedLabelAt(QPoint(label.left() - 8, label.center().y())), nullptr);
  EXPECT_EQ(tree->selectedLabelAt(QPoint(label.right() + 30, label.center().y())), nullptr);
  EXPECT_EQ(tree->selectedLabelAt(tree->labelRect(about).center()), nullptr);
  // A right click leaves the selection where it was.
  QTest::mousePress(tree->viewport(), Qt::RightButton, {}, tree->labelRect(about).center());
  EXPECT_EQ(tree->currentItem(), docs);
}

TEST_F(SheetTest, CopyPathNameGivesTheFullPath) {
  SheetLocalPgMain *page = sheet_->mainPage();
  page->runCommand(CMD_COPY_PATH, itemAt(page, "docs/reference/api.htm"));
  EXPECT_EQ(QApplication::clipboard()->text(),
            QString::fromStdString(site_.path() + "/docs/reference/api.htm"));
  page->runCommand(CMD_COPY_PATH, page->rootItem());
  EXPECT_EQ(QApplication::clipboard()->text(), QString::fromStdString(site_.path()));
}

TEST_F(SheetTest, CollapseExpandAndCollapseOthers) {
  SheetLocalPgMain *page = sheet_->mainPage();
  QTreeWidgetItem *docs = itemAt(page, "docs");
  QTreeWidgetItem *reference = itemAt(page, "docs/reference");
  QTreeWidgetItem *broken = itemAt(page, "broken");
  page->runCommand(CMD_EXPAND, page->rootItem());
  EXPECT_TRUE(reference->isExpanded());
  EXPECT_TRUE(itemAt(page, "broken/syntax")->isExpanded());
  page->runCommand(CMD_COLLAPSE, docs);
  EXPECT_FALSE(docs->isExpanded());
  EXPECT_FALSE(reference->isExpanded());
  EXPECT_TRUE(broken->isExpanded());
  page->runCommand(CMD_COLLAPSE_OTHERS, reference);
  EXPECT_TRUE(reference->isExpanded());
  EXPECT_TRUE(docs->isExpanded());
  EXPECT_TRUE(page->rootItem()->isExpanded());
  EXPECT_FALSE(broken->isExpanded());
  EXPECT_EQ(page->tree()->currentItem(), reference);
}

TEST_F(SheetTest, AnalyzingAFolderHandsItsPagesInTreeOrder) {
  SheetLocalPgMain *page = sheet_->mainPage();
  page->runCommand(CMD_ANALYZE_FOLDER, itemAt(page, "docs"));
  ASSERT_TRUE(waitForJobs());
  SummaryPage *info = sheet_->summaryPage();
  EXPECT_EQ(sheet_->activePageIndex(), 1);
  EXPECT_EQ(info->folder(), "docs/");
  ASSERT_EQ(info->list()->rowCount(), 1);
  EXPECT_EQ(info->list()->cellText(0, 0), "guide.html");

  page->runCommand(CMD_ANALYZE_RECURSIVE, itemAt(page, "docs"));
  ASSERT_TRUE(waitForJobs());
  ASSERT_EQ(info->list()->rowCount(), 3);
  EXPECT_EQ(info->list()->cellText(0, 0), "reference/api.htm");
  EXPECT_EQ(info->list()->cellText(1, 0), "reference/tool--daemon.html");
  EXPECT_EQ(info->list()->cellText(2, 0), "guide.html");

  page->runCommand(CMD_ANALYZE_FILE, itemAt(page, "index.html"));
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(info->folder(), "");
  ASSERT_EQ(info->list()->rowCount(), 1);
  EXPECT_EQ(info->list()->cellText(0, 0), "index.html");
}

namespace {

// Records the address the HTML handler was started with.
class BrowseRecorder {
public:
  explicit BrowseRecorder(const TempDir &dir) : out_(dir.file("opened.txt")) {
    std::string body = "#!/bin/sh\necho \"$1\" > ";
    body += out_;
    body += ".part\n/bin/mv ";
    body += out_;
    body += ".part ";
    body += out_;
    body += "\n";
    const std::string script = dir.write("opener.sh", body);
    chmod(script.c_str(), 0755);
    setHtmlOpenCommand({script});
  }
  ~BrowseRecorder() { setHtmlOpenCommand({}); }
  std::string opened() const {
    for (int i = 0; i < 1000 && !std::filesystem::exists(out_); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    TempDir none;
    FILE *file = std::fopen(out_.c_str(), "r");
    if (!file) return {};
    char line[4096] = {};
    const bool read = std::fgets(line, sizeof line, file) != nullptr;
    std::fclose(file);
    return read ? std::string(line) : std::string();
  }

private:
  std::string out_;
};

} // namespace

TEST_F(SheetTest, BrowseOpensAFileAddressWithThreeSlashes) {
  TempDir scratch;
  BrowseRecorder recorder(scratch);
  SheetLocalPgMain *page = sheet_->mainPage();
  page->runCommand(CMD_BROWSE, itemAt(page, "docs/guide.html"));
  const std::string expected = "file://" + site_.path() + "/docs/guide.html\n";
  ASSERT_EQ(site_.path().front(), '/');
  EXPECT_EQ(recorder.opened(), expected);
}

TEST_F(SheetTest, BrowseWithoutAnyHandlerSaysSo) {
  TempDir scratch;
  setHtmlOpenCommand({scratch.file("no-such-program")});
  MessageAnswers answers;
  SheetLocalPgMain *page = sheet_->mainPage();
  page->runCommand(CMD_BROWSE, itemAt(page, "index.html"));
  setHtmlOpenCommand({});
  ASSERT_EQ(answers.texts().size(), 1);
  EXPECT_EQ(answers.texts()[0], "Error: can not open note-pad for edit");
}

namespace {

// Closes the next popup menu that opens and keeps the texts of its enabled commands.
class PopupCatcher : public QObject {
public:
  PopupCatcher() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
      if (!menu) return;
      for (QAction *action : menu->actions())
        if (!action->isSeparator()) texts.append(action->text() + (action->isEnabled() ? "" : "-"));
      menu->close();
    });
    timer_.start();
  }
  QStringList texts;

private:
  QTimer timer_;
};

void rightClick(FileTree *tree, const QPoint &pos) {
  QContextMenuEvent event(QContextMenuEvent::Mouse, pos, tree->viewport()->mapToGlobal(pos));
  QApplication::sendEvent(tree->viewport(), &event);
  settle();
}

} // namespace

TEST_F(SheetTest, RightClickOnTheSelectedLabelOpensItsMenu) {
  SheetLocalPgMain *page = sheet_->mainPage();
  FileTree *tree = page->tree();
  QTreeWidgetItem *guide = itemAt(page, "docs/guide.html");
  QTreeWidgetItem *about = itemAt(page, "about.htm");
  tree->setCurrentItem(guide);
  settle();
  {
    PopupCatcher catcher;
    rightClick(tree, tree->labelRect(guide).center());
    EXPECT_EQ(catcher.texts, QStringList({"Analyzing the file", "Collapse others-", "Collapse-",
                                          "Expand-", "Copy path name", "Browse the file"}));
  }
  {
    PopupCatcher catcher;
    rightClick(tree, tree->labelRect(about).center());
    EXPECT_TRUE(catcher.texts.isEmpty());
  }
}
