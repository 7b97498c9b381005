#include "workspace_test_support.h"

#include "app/main_dialog.h"
#include "app/workspace_sheet.h"
#include "storage/current_projects.h"
#include "workspace/edit_page.h"
#include "workspace/error_page.h"
#include "workspace/report_list.h"
#include "workspace/sheet_local_pg_edit.h"
#include "workspace/sheet_local_pg_main.h"
#include "workspace/sheet_tabs.h"
#include "workspace/summary_page.h"
#include "workspace/workspace_sheets.h"

#include <QTabBar>
#include <QTest>
#include <QTreeWidgetItem>

using namespace linkmoor;
using namespace linkmoor::test;

TEST_F(SheetTest, FourPagesInTheirOrderWithTheirCaptions) {
  SheetTabs *tabs = sheet_->tabs();
  ASSERT_EQ(tabs->count(), 4);
  EXPECT_EQ(tabs->tabText(0), "Local");
  EXPECT_EQ(tabs->tabText(1), "Info");
  EXPECT_EQ(tabs->tabText(2), "Desc");
  EXPECT_EQ(tabs->tabText(3), "Edit");
  EXPECT_EQ(tabs->widget(0), sheet_->mainPageWidget());
  EXPECT_EQ(tabs->widget(1), sheet_->summaryPage());
  EXPECT_EQ(tabs->widget(2), sheet_->errorPage());
  EXPECT_EQ(tabs->widget(3), sheet_->editPage());
  EXPECT_EQ(sheet_->activePageIndex(), 0);
  EXPECT_EQ(sheet_->windowTitle(), "Local");
  EXPECT_EQ(sheet_->kind(), WorkspaceSheet::Kind::Local);
}

TEST_F(SheetTest, TabsSitInsideTheFramesAndEveryPageFollowsASizeChange) {
  EXPECT_EQ(sheet_->tabs()->geometry(), QRect(10, 10, 960, 600));
  host_.resize(700, 500);
  sheet_->setGeometry(host_.rect());
  settle();
  EXPECT_EQ(sheet_->tabs()->geometry(), QRect(10, 10, 680, 480));
  const QRect area(QPoint(0, 0), sheet_->tabs()->pageArea().size());
  // The info, desc and edit pages were never shown since the sheet opened.
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(sheet_->tabs()->widget(i)->geometry(), area) << i;
  EXPECT_EQ(sheet_->summaryPage()->listRect(),
            QRect(10, 30, area.width() - 20, area.height() - 40));
}

TEST_F(SheetTest, APageIsNotLeftWhileAJobRuns) {
  BlockingJob blocker;
  ASSERT_TRUE(jobs_->startJob(&blocker, JOB_LOCAL_ANALYZE));
  ASSERT_TRUE(waitUntil([&] { return blocker.started.load(); }));
  QTabBar *bar = sheet_->tabs()->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
  settle();
  EXPECT_EQ(sheet_->activePageIndex(), 0);
  EXPECT_FALSE(sheet_->setActivePage(3));
  EXPECT_EQ(sheet_->activePageIndex(), 0);
  // Nothing that would clear the lists under the running job is accepted either.
  sheet_->analyzeFiles(QString(), {QStringLiteral("index.html")});
  EXPECT_EQ(sheet_->summaryPage()->list()->rowCount(), 0);

  blocker.release = true;
  ASSERT_TRUE(waitForJobs());
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
  settle();
  EXPECT_EQ(sheet_->activePageIndex(), 2);
}

TEST_F(SheetTest, FactoryMakesTheLocalSheetAndKeepsTheStandInForRemote) {
  const SheetFactory factory = workspaceSheetFactory(*jobs_);
  QWidget parent;
  WorkspaceSheet *local = factory(WorkspaceSheet::Kind::Local, QStringLiteral("Local"), &parent);
  WorkspaceSheet *remote = factory(WorkspaceSheet::Kind::Remote, QStringLiteral("Host"), &parent);
  EXPECT_NE(dynamic_cast<SheetLocal *>(local), nullptr);
  EXPECT_EQ(dynamic_cast<SheetLocal *>(remote), nullptr);
  EXPECT_EQ(remote->kind(), WorkspaceSheet::Kind::Remote);
}

TEST_F(SheetTest, RefreshShowsTheNewProjectAndForgetsTheOldFile) {
  sheet_->showFile("broken/links.htm", true);
  ASSERT_TRUE(waitForJobs());
  ASSERT_GT(sheet_->errorPage()->list()->rowCount(), 0);
  TempDir other;
  other.write("only.htm", "<p>x</p>\n");
  CurrentLocalProject.rootPath = other.path();
  sheet_->refresh();
  EXPECT_EQ(sheet_->errorPage()->list()->rowCount(), 0);
  EXPECT_TRUE(sheet_->editPage()->pane().filePath().isEmpty());
  EXPECT_TRUE(sheet_->currentFile().empty());
  EXPECT_EQ(sheet_->mainPage()->rootItem()->childCount(), 1);
}

// The program's sheets, with "Local files" choosing the project at `root`, which the
// test may change between two openings.
MainWindowServices openingServices(JobThread &jobs, const std::string &root) {
  MainWindowServices services;
  services.sheetFactory = workspaceSheetFactory(jobs);
  services.localProjectDialog = [&root](QWidget *) {
    CurrentLocalProject.rootPath = root;
    return true;
  };
  return services;
}

// Shows `main` at a size that holds the sheet and waits until it is laid out.
void showMain(MainDialog &main) {
  main.resize(900, 600);
  main.show();
  settle();
}

TEST_F(SheetTest, TheMainWindowOpensTheLocalSheetOverItsWorkArea) {
  const std::string root = site_.path();
  {
    MainDialog main(*jobs_, openingServices(*jobs_, root));
    showMain(main);
    main.openLocalProject();
    auto *sheet = dynamic_cast<SheetLocal *>(main.localSheet());
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->geometry(), main.workArea());
    EXPECT_EQ(sheet->mainPage()->rootItem()->text(0), QString::fromStdString(site_.path()));
    EXPECT_EQ(main.inPlaceHelpPage(), "local/pagemain.htm");
    sheet->setActivePage(1);
    EXPECT_EQ(main.inPlaceHelpPage(), "local/pageinfo.htm");
    // Confirming the dialog again keeps the sheet and reads the folder afresh.
    site_.write("new.htm", "<p>new</p>");
    main.openLocalProject();
    EXPECT_EQ(main.localSheet(), sheet);
    EXPECT_EQ(sheet->mainPage()
                  ->rootItem()
                  ->child(sheet->mainPage()->rootItem()->childCount() - 2)
                  ->text(0),
              "new.htm");
  }
}

TEST_F(SheetTest, OpeningAnotherProjectAsksBeforeDroppingUnsavedEdits) {
  std::string chosenRoot = site_.path();
  {
    MainDialog main(*jobs_, openingServices(*jobs_, chosenRoot));
    showMain(main);
    main.openLocalProject();
    auto *sheet = dynamic_cast<SheetLocal *>(main.localSheet());
    ASSERT_NE(sheet, nullptr);
    sheet->showFile("about.htm", false);
    ASSERT_TRUE(waitForJobs());
    sheet->editPage()->editor()->insertPlainText("my corrections");
    ASSERT_TRUE(sheet->hasUnsavedEdits());

    chosenRoot = program_.path();
    {
      MessageAnswers answers;
      answers.then(QMessageBox::No);
      main.openLocalProject();
      ASSERT_EQ(answers.texts().size(), 1);
      EXPECT_EQ(answers.texts()[0].toStdString(), kDiscardEditsQuestion);
    }
    EXPECT_EQ(CurrentLocalProject.rootPath, site_.path()) << "No keeps the old project";
    EXPECT_TRUE(sheet->hasUnsavedEdits());
    {
      MessageAnswers answers;
      answers.then(QMessageBox::Yes);
      main.openLocalProject();
      EXPECT_EQ(answers.texts().size(), 1);
    }
    EXPECT_EQ(CurrentLocalProject.rootPath, program_.path());
    EXPECT_FALSE(sheet->hasUnsavedEdits());
  }
}

namespace linkmoor {
namespace {

// Reset and closing the window ask about unsaved corrections before anything else; No
// keeps the sheet and the text. Opening a project again lands on its tree.
TEST_F(SheetTest, ResetAsksAboutUnsavedEditsFirstAndOpeningLandsOnTheTree) {
  const std::string root = site_.path();
  MainDialog main(*jobs_, openingServices(*jobs_, root));
  showMain(main);
  main.openLocalProject();
  auto *sheet = dynamic_cast<SheetLocal *>(main.localSheet());
  ASSERT_NE(sheet, nullptr);
  sheet->showFile("about.htm", false);
  ASSERT_TRUE(waitForJobs());
  ASSERT_EQ(sheet->activePageIndex(), 3);
  sheet->editPage()->editor()->insertPlainText("my corrections");
  {
    MessageAnswers answers;
    answers.then(QMessageBox::No);
    EXPECT_FALSE(main.resetProject());
    EXPECT_EQ(answers.texts(), QStringList{QString::fromLatin1(kDiscardEditsQuestion)});
  }
  EXPECT_EQ(main.localSheet(), sheet);
  EXPECT_TRUE(sheet->hasUnsavedEdits());
  {
    MessageAnswers answers;
    answers.then(QMessageBox::No);
    EXPECT_FALSE(main.close());
    EXPECT_EQ(answers.texts(), QStringList{QString::fromLatin1(kDiscardEditsQuestion)});
  }
  EXPECT_TRUE(main.isVisible());
  EXPECT_TRUE(sheet->hasUnsavedEdits());

  {
    MessageAnswers answers;
    answers.then(QMessageBox::Yes); // discard the corrections
    main.openLocalProject();
  }
  EXPECT_EQ(sheet->activePageIndex(), 0);

  sheet->editPage()->editor()->insertPlainText("more");
  {
    MessageAnswers answers;
    answers.then(QMessageBox::Yes).then(QMessageBox::Yes);
    EXPECT_TRUE(main.resetProject());
    EXPECT_EQ(answers.texts(), (QStringList{QString::fromLatin1(kDiscardEditsQuestion),
                                            QStringLiteral("Terminate current analyzing?")}));
  }
  EXPECT_EQ(main.localSheet(), nullptr);
}

} // namespace
} // namespace linkmoor
