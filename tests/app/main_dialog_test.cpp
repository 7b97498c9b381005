// The main window with a real widget tree: drawn menu bar, popups, projects, closing,
// settings, layout and start-up.
#include "app/application.h"
#include "app/help_pane.h"
#include "app/help_topic.h"
#include "app/help_window.h"
#include "app/job_thread.h"
#include "app/main_dialog.h"
#include "app/place_dialog.h"
#include "app/placeholder_sheet.h"
#include "app/workspace_sheet.h"
#include "app_test_support.h"
#include "storage/current_projects.h"
#include "storage/local_project_store.h"
#include "storage/settings_file.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace linkmoor {
namespace {

using test::MessageAnswers;
using test::waitUntil;

// A sheet whose page index the test sets.
class PagedSheet : public WorkspaceSheet {
public:
  using WorkspaceSheet::WorkspaceSheet;
  int page = 0;
  int refreshes = 0;
  int resets = 0;
  int activePageIndex() const override { return page; }
  void refreshFromProject() override { ++refreshes; }
  void resetSheet() override { ++resets; }
};

class UrlCatcher : public QObject {
  Q_OBJECT
public:
  QList<QUrl> urls;
public slots:
  void open(const QUrl &url) { urls << url; }
};

class MainDialogTest : public test::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    CurrentLocalProject = LocalProject{};
    services_.sheetFactory = [this](WorkspaceSheet::Kind kind, const QString &caption,
                                    QWidget *parent) {
      lastSheet_ = new PagedSheet(kind, caption, parent);
      return lastSheet_;
    };
    services_.localProjectDialog = [](QWidget *) {
      CurrentLocalProject.projectName = "Site";
      CurrentLocalProject.rootPath = "C:\\www\\";
      return true;
    };
  }
  void TearDown() override {
    main_.reset();
    AppTest::TearDown();
  }
  MainDialog &open() {
    main_ = std::make_unique<MainDialog>(jobs_, services_);
    main_->setGeometry(40, 40, 640, 480);
    main_->show();
    test::settle();
    return *main_;
  }
  QPoint centreOfItem(int i) { return main_->menuBar().item(i).rect.center(); }
  std::string settingsText() { return dir_.read("Setting/Linkmoor.set"); }

  JobThread jobs_;
  std::unique_ptr<MainDialog> main_;
  MainWindowServices services_;
  PagedSheet *lastSheet_ = nullptr;
};

TEST_F(MainDialogTest, StartsWithTheStartPageAndCaption) {
  MainDialog &main = open();
  EXPECT_EQ(main.windowTitle(), QStringLiteral("Linkmoor"));
  EXPECT_TRUE(main.helpPane()->isVisible());
  EXPECT_EQ(main.helpPane()->source(), HelpPane::startPage());
  EXPECT_TRUE(main.helpPane()->toPlainText().contains(QStringLiteral("Linkmoor")));
  EXPECT_EQ(main.localSheet(), nullptr);
  EXPECT_FALSE(main.windowIcon().isNull());
  ASSERT_NE(jobs_.panel(), nullptr);
  EXPECT_FALSE(jobs_.panel()->isVisible());
}

TEST_F(MainDialogTest, HoverRaisesAnItemAndLeavingReleasesIt) {
  MainDialog &main = open();
  QTest::mouseMove(&main, centreOfItem(1));
  EXPECT_EQ(main.menuBar().item(1).state, MenuBar::Hot);
  EXPECT_TRUE(main.mouseCaptured());
  QTest::mouseMove(&main, centreOfItem(0));
  EXPECT_EQ(main.menuBar().item(0).state, MenuBar::Hot);
  EXPECT_EQ(main.menuBar().item(1).state, MenuBar::Normal);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&main, &leave);
  EXPECT_EQ(main.menuBar().item(0).state, MenuBar::Normal);
  EXPECT_FALSE(main.mouseCaptured());
}

TEST_F(MainDialogTest, MovingOffTheItemsRemovesTheFrame) {
  MainDialog &main = open();
  QTest::mouseMove(&main, centreOfItem(2));
  ASSERT_EQ(main.menuBar().item(2).state, MenuBar::Hot);
  QTest::mouseMove(&main, QPoint(320, 300));
  EXPECT_EQ(main.menuBar().item(2).state, MenuBar::Normal);
  EXPECT_FALSE(main.mouseCaptured());
}

TEST_F(MainDialogTest, PressingHelpShowsItsPopupUnderTheItem) {
  MainDialog &main = open();
  QPoint shownAt;
  QStringList items;
  int stateWhileOpen = -1;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu) return;
    shownAt = menu->pos();
    for (QAction *action : menu->actions())
      items << action->text();
    stateWhileOpen = main.menuBar().item(2).state;
    menu->close(); // nothing chosen
  });
  poll.start(5);
  QTest::mousePress(&main, Qt::LeftButton, {}, centreOfItem(2));
  poll.stop();
  const QRect r = main.menuBar().item(2).rect;
  EXPECT_EQ(shownAt, main.mapToGlobal(QPoint(r.left(), r.bottom() + 1)));
  EXPECT_TRUE(items.contains(QStringLiteral("Help contents")));
  EXPECT_EQ(stateWhileOpen, MenuBar::Pressed);
  EXPECT_EQ(main.menuBar().item(2).state, MenuBar::Normal);
  EXPECT_EQ(main.openPopupMenu(), nullptr);
}

// Alt+H opens "Help" on its first command; Right goes round to "Analyze", Left back to
// "Help", and Escape closes the popup without running a command.
TEST_F(MainDialogTest, TheKeyboardOpensAndWalksThePopups) {
  MainDialog &main = open();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  QStringList firstItems;
  QList<int> pressed;
  QTimer poll;
  int opened = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu || menu->property("seen").toBool()) return;
    menu->setProperty("seen", true);
    ++opened;
    firstItems << (menu->activeAction() ? menu->activeAction()->text() : QString());
    pressed << main.menuBar().markedItem(MenuBar::Pressed);
    const Qt::Key key = opened == 1 ? Qt::Key_Right : opened == 2 ? Qt::Key_Left : Qt::Key_Escape;
    QTest::keyClick(menu, key);
  });
  poll.start(5);
  QTest::keyClick(&main, Qt::Key_H, Qt::AltModifier);
  poll.stop();
  ASSERT_EQ(opened, 3);
  EXPECT_EQ(pressed, (QList<int>{2, 0, 2}));
  EXPECT_FALSE(firstItems[0].isEmpty()) << "the popup starts on its first command";
  EXPECT_TRUE(main.alwaysOnTop()) << "Escape ran nothing";
  EXPECT_EQ(main.menuBar().markedItem(MenuBar::Pressed), -1);
  EXPECT_EQ(main.openPopupMenu(), nullptr);
}

TEST_F(MainDialogTest, F10AndAltHOpenTheirPopups) {
  MainDialog &main = open();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  QList<int> pressed;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu) return;
    pressed << main.menuBar().markedItem(MenuBar::Pressed);
    menu->close();
  });
  poll.start(5);
  QTest::keyClick(&main, Qt::Key_F10);
  QTest::keyClick(&main, Qt::Key_H, Qt::AltModifier);
  QTest::keyClick(&main, Qt::Key_A, Qt::AltModifier);
  poll.stop();
  EXPECT_EQ(pressed, (QList<int>{0, 2, 0}));
}

TEST_F(MainDialogTest, TheHelpWindowFollowsAlwaysOnTop) {
  MainDialog &main = open();
  ASSERT_TRUE(main.alwaysOnTop());
  main.runCommand(CMD_HELP_CONTENTS);
  ASSERT_NE(currentHelpWindow(), nullptr);
  EXPECT_TRUE(currentHelpWindow()->windowFlags() & Qt::WindowStaysOnTopHint);
  main.setAlwaysOnTop(false);
  EXPECT_FALSE(currentHelpWindow()->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(currentHelpWindow()->isVisible());
}

TEST_F(MainDialogTest, ChosenPopupItemRunsItsCommand) {
  MainDialog &main = open();
  ASSERT_TRUE(main.alwaysOnTop());
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu) return;
    poll.stop();
    menu->setActiveAction(findCommand(menu, CMD_ALWAYS_ON_TOP));
    QTest::keyClick(menu, Qt::Key_Return);
  });
  poll.start(5);
  QTest::mousePress(&main, Qt::LeftButton, {}, centreOfItem(1));
  EXPECT_FALSE(main.alwaysOnTop());
  EXPECT_FALSE(main.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(MainDialogTest, LocalFilesOpensTheLocalSheet) {
  MainDialog &main = open();
  EXPECT_FALSE(main.popupState().localSheet);
  main.runCommand(CMD_LOCAL_FILES);
  ASSERT_NE(main.localSheet(), nullptr);
  EXPECT_EQ(main.localSheet()->windowTitle(), QStringLiteral("Local"));
  EXPECT_FALSE(main.helpPane()->isVisible());
  EXPECT_EQ(CurrentLocalProject.rootPath, "C:/www");
  EXPECT_EQ(main.localSheet()->geometry(), main.workArea());
  EXPECT_EQ(lastSheet_->refreshes, 1);
  // Opening again keeps the sheet and refreshes it.
  WorkspaceSheet *first = main.localSheet();
  main.runCommand(CMD_LOCAL_FILES);
  EXPECT_EQ(main.localSheet(), first);
  EXPECT_EQ(lastSheet_->refreshes, 2);
  EXPECT_TRUE(main.popupState().localSheet);
}

TEST_F(MainDialogTest, LocalFilesThroughTheProjectDialog) {
  services_ = MainWindowServices::basic();
  std::filesystem::create_directories(dir_.path() + "/demo");
  {
    LocalProjectStore store;
    auto demo = std::make_unique<LocalProject>();
    demo->projectName = "Demo site";
    demo->rootPath = dir_.path() + "/demo/";
    store.insertFirst(std::move(demo));
    store.setSelectedIndex(0);
    ASSERT_TRUE(store.save());
  }
  MainDialog &main = open();
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto *dialog = qobject_cast<PlaceDialog *>(QApplication::activeModalWidget())) {
      poll.stop();
      QTest::mouseClick(dialog->doneButton(), Qt::LeftButton);
    }
  });
  poll.start(5);
  main.runCommand(CMD_LOCAL_FILES);
  EXPECT_EQ(CurrentLocalProject.projectName, "Demo site");
  EXPECT_EQ(CurrentLocalProject.rootPath, dir_.path() + "/demo");
  auto *sheet = qobject_cast<PlaceholderSheet *>(main.localSheet());
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(sheet->isVisible());
  EXPECT_TRUE(sheet->text().contains(QStringLiteral("Demo site")));
  EXPECT_FALSE(main.helpPane()->isVisible());
}

TEST_F(MainDialogTest, CancelledLocalProjectDialogChangesNothing) {
  services_.localProjectDialog = [](QWidget *) { return false; };
  MainDialog &main = open();
  main.runCommand(CMD_LOCAL_FILES);
  EXPECT_EQ(main.localSheet(), nullptr);
  EXPECT_TRUE(main.helpPane()->isVisible());
}

TEST_F(MainDialogTest, RemoteSiteReplacesTheLocalSheet) {
  services_.connectDialog = [](QWidget *) { return true; };
  MainDialog &main = open();
  main.runCommand(CMD_LOCAL_FILES);
  QPointer<WorkspaceSheet> local = main.localSheet();
  main.runCommand(CMD_REMOTE_SITE);
  EXPECT_TRUE(local.isNull());
  ASSERT_NE(main.remoteSheet(), nullptr);
  EXPECT_EQ(main.remoteSheet()->windowTitle(), QStringLiteral("Host"));
  main.runCommand(CMD_REMOTE_SITE);
  EXPECT_EQ(lastSheet_->resets, 1);
}

TEST_F(MainDialogTest, InPlaceHelpFollowsTheSheetAndPage) {
  services_.connectDialog = [](QWidget *) { return true; };
  MainDialog &main = open();
  EXPECT_EQ(main.inPlaceHelpPage(), QStringLiteral("about/about.htm"));
  main.runCommand(CMD_LOCAL_FILES);
  lastSheet_->page = 1;
  EXPECT_EQ(main.inPlaceHelpPage(), QStringLiteral("local/pageinfo.htm"));
  main.runCommand(CMD_REMOTE_SITE);
  lastSheet_->page = 3;
  EXPECT_EQ(main.inPlaceHelpPage(), QStringLiteral("site/pagedescedit.htm"));
  main.runCommand(CMD_INPLACE_HELP);
  ASSERT_NE(currentHelpWindow(), nullptr);
  EXPECT_TRUE(currentHelpWindow()->currentPage().endsWith(QStringLiteral("site/pagedescedit.htm")));
  lastSheet_->page = 0;
  EXPECT_EQ(main.inPlaceHelpPage(), QStringLiteral("site/pagemain.htm"));
}

TEST_F(MainDialogTest, HomeOpensTheHomePage) {
  MainDialog &main = open();
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
  main.runCommand(CMD_HOME);
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
  ASSERT_EQ(catcher.urls.size(), 1);
  EXPECT_EQ(catcher.urls[0], MainDialog::homePage());
}

TEST_F(MainDialogTest, CloseIsRefusedWhileAJobRuns) {
  std::atomic<bool> running{false}, release{false};
  services_.reconnect = [&](JobThread &) {
    running = true;
    while (!release)
      QThread::yieldCurrentThread();
  };
  MainDialog &main = open();
  main.runCommand(CMD_RECONNECT);
  ASSERT_TRUE(waitUntil([&] { return running.load(); }));
  EXPECT_TRUE(main.popupState().jobRunning);
  {
    MessageAnswers answers;
    answers.then(QMessageBox::Ok);
    EXPECT_FALSE(main.close());
    EXPECT_EQ(answers.texts(), QStringList{QStringLiteral("Thread is running, please wait ...")});
  }
  EXPECT_TRUE(main.isVisible());
  release = true;
  ASSERT_TRUE(waitUntil([&] { return !jobs_.isRunning(); }));
  EXPECT_TRUE(main.close());
}

TEST_F(MainDialogTest, CloseWithAProjectAsksThenClosesAndWritesSettings) {
  MainDialog &main = open();
  main.runCommand(CMD_LOCAL_FILES);
  {
    MessageAnswers answers;
    answers.then(QMessageBox::No);
    EXPECT_FALSE(main.close());
    EXPECT_EQ(answers.texts(), QStringList{QStringLiteral("Terminate current analyzing?")});
  }
  EXPECT_NE(main.localSheet(), nullptr);
  {
    MessageAnswers answers;
    answers.then(QMessageBox::Yes);
    EXPECT_FALSE(main.close());
  }
  EXPECT_EQ(main.localSheet(), nullptr);
  EXPECT_TRUE(main.helpPane()->isVisible());
  EXPECT_TRUE(main.isVisible());
  EXPECT_EQ(settingsText().find("KEY_DLGPLACEMENT"), std::string::npos);
  EXPECT_TRUE(main.close());
  EXPECT_FALSE(main.isVisible());
  const std::string text = settingsText();
  const auto placement = text.find("[KEY_DLGPLACEMENT]");
  const auto bools = text.find("[KEY_DLG_BOOLS]1\r\n");
  const auto options = text.find("[KEY_GENOPT_BOOLS]0\r\n");
  const auto list = text.find("<LIST>");
  ASSERT_NE(placement, std::string::npos) << text;
  EXPECT_LT(placement, bools);
  EXPECT_LT(bools, options);
  EXPECT_LT(options, list);
  EXPECT_NE(text.find("[KEY_DLGPLACEMENT]0=1=-1=-1=-1=-1=40=40=680=520\r\n"), std::string::npos)
      << text;
}

TEST_F(MainDialogTest, NewSettingsFileHoldsBothSections) {
  open();
  EXPECT_EQ(
      settingsText(),
      "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n<LIST>\r\n\r\n\r\n{SECT_GLOBAL}\r\n<KEY>\r\n<LIST>\r\n");
}

TEST_F(MainDialogTest, StoredSettingsPlaceTheWindow) {
  {
    SettingsFile settings;
    ASSERT_TRUE(settings.openOrCreate());
    WindowPlacement placement;
    placement.showCommand = 2; // minimized: comes back restored
    placement.left = 30;
    placement.top = 50;
    placement.right = 830;
    placement.bottom = 650;
    settings.writeWindowPlacement(placement);
    settings.writeDialogFlags(0);
    settings.writeGeneralOptions(1);
  }
  main_ = std::make_unique<MainDialog>(jobs_, services_);
  main_->showAsPlaced();
  test::settle();
  EXPECT_EQ(main_->geometry(), QRect(30, 50, 800, 600));
  EXPECT_FALSE(main_->isMinimized());
  EXPECT_FALSE(main_->alwaysOnTop());
  EXPECT_FALSE(main_->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(main_->popupState().alwaysOnTop);
}

TEST_F(MainDialogTest, WithoutSettingsTheWindowStaysOnTop) {
  MainDialog &main = open();
  EXPECT_TRUE(main.alwaysOnTop());
  EXPECT_TRUE(main.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST_F(MainDialogTest, TooSmallSnapsBackToTheMinimum) {
  MainDialog &main = open();
  main.resize(300, 200);
  test::settle();
  EXPECT_GE(main.frameGeometry().width(), 500);
  EXPECT_GE(main.frameGeometry().height(), 400);
  EXPECT_EQ(main.geometry().topLeft(), QPoint(40, 40));
  main.resize(700, 300);
  test::settle();
  EXPECT_EQ(main.width(), 700);
}

TEST_F(MainDialogTest, LayoutKeepsTheHelpPaneInsideTheWorkArea) {
  MainDialog &main = open();
  main.resize(800, 600);
  test::settle();
  EXPECT_EQ(main.workArea().top(), main.menuBarHeight() + 2);
  EXPECT_EQ(main.helpPane()->geometry(), main.workArea().adjusted(12, 12, -12, -12));
  EXPECT_LT(main.menuBar().item(0).rect.bottom(), main.workArea().top());
}

TEST_F(MainDialogTest, FailedNetworkStartEndsBeforeAnyWindow) {
  MessageAnswers answers;
  answers.then(QMessageBox::Ok);
  auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
  const int result = Application::run(
      *app, [] { return false; }, services_);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(answers.texts(), QStringList{QStringLiteral("Windows sockets initialization failed.")});
  for (QWidget *w : QApplication::topLevelWidgets())
    EXPECT_EQ(qobject_cast<MainDialog *>(w), nullptr);
}

} // namespace
} // namespace linkmoor

#include "main_dialog_test.moc"
