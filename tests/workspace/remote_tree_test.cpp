// The remote sheet's main page against pyftpdlib on 127.0.0.1: the root listed by job
// 54, a folder listed on selection (55), "Retrieve all" (56) with Stop, the subdomain
// mark, the menu and its graying, the analysis checks and their messages, browsing.

#include "remote_test_support.h"

#include "app/picture_button.h"
#include "platform/open_with_html_program.h"
#include "storage/current_projects.h"
#include "storage/remote_project_store.h"
#include "workspace/edit_page.h"
#include "workspace/file_tree.h"
#include "workspace/page_menu.h"
#include "workspace/remote_paths.h"
#include "workspace/sheet_remote_pg_edit.h"
#include "workspace/sheet_remote_pg_main.h"
#include "workspace/sheet_tabs.h"
#include "workspace/sheet_traits.h"
#include "workspace/tree_image_strip.h"
#include "workspace/tree_items.h"
#include "workspace/workspace_sheets.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTreeWidgetItem>

namespace linkmoor::test {
namespace {

using RemoteTree = RemoteSheetTest;

std::string storedSubdomainPath() {
  RemoteProjectStore store;
  if (!store.load()) return "?";
  const RemoteProject *project = store.get(store.selectedIndex());
  return project ? project->subdomainPath : "?";
}

TEST_F(RemoteTree, FactoryMakesTheHostSheetWithItsFourPages) {
  JobThread jobs;
  QWidget parent;
  std::unique_ptr<WorkspaceSheet> made(
      workspaceSheetFactory(jobs)(WorkspaceSheet::Kind::Remote, QStringLiteral("Host"), &parent));
  auto *remote = dynamic_cast<SheetRemote *>(made.get());
  ASSERT_NE(remote, nullptr);
  EXPECT_EQ(remote->windowTitle(), QStringLiteral("Host"));
  EXPECT_EQ(remote->kind(), WorkspaceSheet::Kind::Remote);
  ASSERT_EQ(remote->tabs()->count(), 4);
  EXPECT_EQ(remote->tabs()->tabText(0), QStringLiteral("Main"));
  EXPECT_EQ(remote->tabs()->tabText(1), QStringLiteral("Info"));
  EXPECT_EQ(remote->editPage()->saveButton()->text(), QStringLiteral("Save and Upload"));
  EXPECT_TRUE(remote->traits().remote);
}

TEST_F(RemoteTree, RetrieveRootListsFoldersFirstThenFiles) {
  retrieveRoot();
  QTreeWidgetItem *root = sheet_->mainPage()->rootItem();
  EXPECT_EQ(root->text(0), QStringLiteral("/"));
  EXPECT_EQ(treeImage(root), REMOTE_IMAGE_ROOT);
  ASSERT_EQ(root->childCount(), 3);
  EXPECT_EQ(root->child(0)->text(0), QStringLiteral("www"));
  EXPECT_EQ(treeImage(root->child(0)), REMOTE_IMAGE_FOLDER);
  EXPECT_EQ(treeImage(item("top.htm")), REMOTE_IMAGE_HTML);
  EXPECT_EQ(treeImage(item("notes.txt")), REMOTE_IMAGE_FILE);
  EXPECT_TRUE(root->isExpanded());
  EXPECT_EQ(sheet_->mainPage()->tree()->currentItem(), root);
}

TEST_F(RemoteTree, SelectingAFolderListsItOnce) {
  retrieveRoot();
  sheet_->mainPage()->tree()->setCurrentItem(item("www"));
  ASSERT_TRUE(waitForJobs());
  QTreeWidgetItem *www = item("www");
  EXPECT_EQ(treeImage(www), REMOTE_IMAGE_LISTED);
  ASSERT_EQ(www->childCount(), 4);
  EXPECT_EQ(treeImage(www->child(0)), REMOTE_IMAGE_FOLDER);
  EXPECT_EQ(treeImage(www->child(1)), REMOTE_IMAGE_FOLDER);
  EXPECT_EQ(treeImage(child(www, "index.htm")), REMOTE_IMAGE_HTML);
  // A listed folder is not listed again.
  sheet_->mainPage()->tree()->setCurrentItem(item(""));
  sheet_->mainPage()->tree()->setCurrentItem(www);
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(www->childCount(), 4);
}

TEST_F(RemoteTree, RetrieveAllListsTheWholeSubtree) {
  retrieveRoot();
  retrieveAll();
  EXPECT_EQ(treeImage(item("www/docs/guide")), REMOTE_IMAGE_LISTED);
  EXPECT_EQ(treeImage(item("www/docs/guide/page.htm")), REMOTE_IMAGE_HTML);
  EXPECT_EQ(treeImage(item("www/img/logo.png")), REMOTE_IMAGE_FILE);
}

TEST_F(RemoteTree, StopDuringRetrieveAllLeavesTheRestUnlisted) {
  retrieveRoot();
  sheet_->mainPage()->runCommand(CMD_REMOTE_RETRIEVE_ALL, item(""));
  ASSERT_TRUE(jobs_->isRunning());
  ASSERT_TRUE(waitFor([this] { return jobs_->panel()->stopButton()->isVisible(); }));
  jobs_->panel()->pressStop();
  ASSERT_TRUE(waitForJobs());
  // Stop is checked before each item: at least the deepest folder stays unlisted.
  QTreeWidgetItem *www = item("www");
  const bool rest = treeImage(www) == REMOTE_IMAGE_FOLDER ||
                    treeImage(item("www/docs")) == REMOTE_IMAGE_FOLDER ||
                    treeImage(item("www/docs/guide")) == REMOTE_IMAGE_FOLDER;
  EXPECT_TRUE(rest);
}

TEST_F(RemoteTree, SetAsSubdomainPathMovesTheMarkAndStoresIt) {
  retrieveRoot();
  retrieveAll();
  setSubdomain("www");
  EXPECT_EQ(CurrentRemoteProject.subdomainPath, "/www/");
  EXPECT_EQ(storedSubdomainPath(), "/www/");
  EXPECT_EQ(treeImage(item("www")), REMOTE_IMAGE_LISTED_MARKED);
  setSubdomain("");
  EXPECT_EQ(CurrentRemoteProject.subdomainPath, "/");
  EXPECT_EQ(storedSubdomainPath(), "/");
  EXPECT_EQ(treeImage(item("")), REMOTE_IMAGE_ROOT_MARKED);
  EXPECT_EQ(treeImage(item("www")), REMOTE_IMAGE_LISTED);
  setSubdomain("www/docs");
  EXPECT_EQ(treeImage(item("")), REMOTE_IMAGE_ROOT);
  EXPECT_EQ(treeImage(item("www/docs")), REMOTE_IMAGE_LISTED_MARKED);
  EXPECT_EQ(storedSubdomainPath(), "/www/docs/");
}

TEST_F(RemoteTree, TheMarkFollowsTheStoredPathWhenListed) {
  CurrentRemoteProject.subdomainPath = "/www/";
  retrieveRoot();
  EXPECT_EQ(treeImage(item("www")), REMOTE_IMAGE_FOLDER_MARKED);
  sheet_->mainPage()->tree()->setCurrentItem(item("www"));
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(treeImage(item("www")), REMOTE_IMAGE_LISTED_MARKED);
}

TEST_F(RemoteTree, MenuGraysByKind) {
  retrieveRoot();
  SheetRemotePgMain *page = sheet_->mainPage();
  EXPECT_TRUE(page->menuFor(item("notes.txt")).empty());
  EXPECT_TRUE(page->menuFor(nullptr).empty());
  const auto fileMenu = page->menuFor(item("top.htm"));
  auto find = [](const std::vector<PageMenuItem> &menu, int id) -> const PageMenuItem * {
    for (const PageMenuItem &entry : menu)
      if (entry.id == id) return &entry;
    return nullptr;
  };
  ASSERT_NE(find(fileMenu, CMD_REMOTE_ANALYZE_FILE), nullptr);
  EXPECT_EQ(find(fileMenu, CMD_REMOTE_ANALYZE_FOLDER), nullptr);
  EXPECT_EQ(find(fileMenu, CMD_REMOTE_ANALYZE_RECURSIVE), nullptr);
  for (int id : {CMD_REMOTE_RETRIEVE_ALL, CMD_REMOTE_COLLAPSE_OTHERS, CMD_REMOTE_COLLAPSE,
                 CMD_REMOTE_EXPAND, CMD_REMOTE_SET_SUBDOMAIN})
    EXPECT_FALSE(find(fileMenu, id)->enabled) << id;
  EXPECT_TRUE(find(fileMenu, CMD_REMOTE_BROWSE)->enabled);
  EXPECT_TRUE(find(fileMenu, CMD_REMOTE_COPY_PATH)->enabled);
  const auto folderMenu = page->menuFor(item("www"));
  EXPECT_EQ(find(folderMenu, CMD_REMOTE_ANALYZE_FILE), nullptr);
  EXPECT_FALSE(find(folderMenu, CMD_REMOTE_BROWSE)->enabled);
  EXPECT_TRUE(find(folderMenu, CMD_REMOTE_SET_SUBDOMAIN)->enabled);
  EXPECT_TRUE(find(folderMenu, CMD_REMOTE_RETRIEVE_ALL)->enabled);
  EXPECT_TRUE(find(folderMenu, CMD_REMOTE_ANALYZE_RECURSIVE)->enabled);
}

TEST_F(RemoteTree, AnalysisChecksShowTheirMessagesInOrder) {
  retrieveRoot();
  SheetRemotePgMain *page = sheet_->mainPage();
  const std::string name = CurrentRemoteProject.subdomainName;
  CurrentRemoteProject.subdomainName.clear();
  {
    MessageAnswers answers;
    page->analyze(item("www"), true);
    settle();
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_EQ(answers.texts()[0],
              QStringLiteral("Please select 'subdomain path'\nby reght click the path.\n"));
  }
  setSubdomain("www");
  {
    MessageAnswers answers;
    page->analyze(item("www"), true);
    settle();
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_EQ(answers.texts()[0],
              QStringLiteral("Please select 'Subdomain name'\nfrom menu 'Options/Site option'\n"));
  }
  CurrentRemoteProject.subdomainName = name;
  {
    MessageAnswers answers;
    page->analyze(item("top.htm"), false);
    settle();
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_EQ(answers.texts()[0], QStringLiteral("The selected item is not under 'subdomain "
                                                 "path'\nso it can not be analyzed.\n"));
  }
  {
    MessageAnswers answers;
    page->analyze(item("www"), true);
    settle();
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_EQ(answers.texts()[0], QStringLiteral("Please retriev all files under the directory"));
  }
  sheet_->mainPage()->tree()->setCurrentItem(item("www"));
  ASSERT_TRUE(waitForJobs());
  {
    // Listed itself, its sub-folders not: only the recursive analysis refuses.
    MessageAnswers answers;
    page->analyze(item("www"), true);
    settle();
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_EQ(answers.texts()[0], QStringLiteral("Please retriev all files under the directory"));
  }
  {
    MessageAnswers answers;
    page->analyze(item("www/img"), false);
    settle();
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_EQ(answers.texts()[0], QStringLiteral("Please retriev all files under the directory"));
  }
  {
    MessageAnswers answers;
    page->analyze(item("www"), false);
    settle();
    EXPECT_TRUE(answers.texts().isEmpty());
    ASSERT_TRUE(waitForJobs());
    EXPECT_EQ(sheet_->activePageIndex(), 1);
  }
}

TEST_F(RemoteTree, BrowseAndCopyPath) {
  retrieveRoot();
  retrieveAll();
  SheetRemotePgMain *page = sheet_->mainPage();
  {
    MessageAnswers answers;
    EXPECT_TRUE(page->browseAddressOf(item("www/index.htm")).isEmpty());
    ASSERT_EQ(answers.texts().size(), 1);
  }
  setSubdomain("www");
  const QString site = QString::fromStdString(CurrentRemoteProject.subdomainName);
  EXPECT_EQ(page->browseAddressOf(item("www/docs/guide/page.htm")),
            QStringLiteral("http://") + site + QStringLiteral("/docs/guide/page.htm"));
  {
    MessageAnswers answers;
    EXPECT_TRUE(page->browseAddressOf(item("top.htm")).isEmpty());
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_EQ(answers.texts()[0], QStringLiteral("The selected item is not under 'subdomain "
                                                 "path'\nso it can not be displayed.\n"));
  }
  setSubdomain("");
  EXPECT_EQ(page->browseAddressOf(item("www/index.htm")),
            QStringLiteral("http://") + site + QStringLiteral("/www/index.htm"));
  page->runCommand(CMD_REMOTE_COPY_PATH, item("www/docs/notes.htm"));
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("/www/docs/notes.htm"));
  page->runCommand(CMD_REMOTE_COPY_PATH, item(""));
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("/"));
}

TEST(RemotePaths, SitePathCutsTheSubdomainPath) {
  EXPECT_EQ(sitePathOf(QStringLiteral("www/dir/page.htm"), "/www/"),
            QStringLiteral("dir/page.htm"));
  EXPECT_EQ(sitePathOf(QStringLiteral("www/dir/page.htm"), "/"),
            QStringLiteral("www/dir/page.htm"));
  EXPECT_EQ(subdomainPathOf(QString()), "/");
  EXPECT_EQ(subdomainPathOf(QStringLiteral("a/b")), "/a/b/");
  EXPECT_FALSE(isSubdomainFolder(QStringLiteral("a"), "/"));
  EXPECT_TRUE(isSubdomainFolder(QStringLiteral("a"), "/a/"));
  EXPECT_EQ(remoteBrowseAddress("example.org", "/www/", QStringLiteral("www/a.htm")),
            QStringLiteral("http://example.org/a.htm"));
}

} // namespace
} // namespace linkmoor::test
