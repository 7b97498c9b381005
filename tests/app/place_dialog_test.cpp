// The local project dialog with a real widget tree: every message, the store, new and
// remove steps, "Done" with folder creation, the folder chooser and the conventions.
#include "app/help_topic.h"
#include "app/help_window.h"
#include "app/hidden_first_button.h"
#include "app/place_dialog.h"
#include "app_test_support.h"
#include "storage/current_projects.h"
#include "storage/settings_file.h"
#include "storage/widgets/tool_button.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace linkmoor {
namespace {

using test::MessageAnswers;

class PlaceDialogTest : public test::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    CurrentLocalProject = LocalProject{};
    savedChooser_ = PlaceDialog::folderChooser();
  }
  void TearDown() override {
    dialog_.reset();
    PlaceDialog::folderChooser() = savedChooser_;
    AppTest::TearDown();
  }
  void writeProjects(std::initializer_list<std::pair<const char *, const char *>> projects,
                     int selected) {
    LocalProjectStore store;
    for (auto it = std::rbegin(projects); it != std::rend(projects); ++it) {
      auto record = std::make_unique<LocalProject>();
      record->projectName = it->first;
      record->rootPath = it->second;
      store.insertFirst(std::move(record));
    }
    store.setSelectedIndex(selected);
    ASSERT_TRUE(store.save());
  }
  PlaceDialog &open() {
    dialog_ = std::make_unique<PlaceDialog>();
    dialog_->show();
    test::settle();
    return *dialog_;
  }
  void type(const QString &name, const QString &root) {
    dialog_->projectList()->setEditText(name);
    dialog_->rootPathField()->setText(root);
  }
  QStringList entries() {
    QStringList list;
    for (int i = 0; i < dialog_->projectList()->count(); ++i)
      list << dialog_->projectList()->itemText(i);
    return list;
  }
  LocalProjectStore savedStore() {
    LocalProjectStore store;
    store.load();
    return store;
  }
  void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

  std::unique_ptr<PlaceDialog> dialog_;
  PlaceDialog::FolderChooser savedChooser_;
};

TEST_F(PlaceDialogTest, StoreIntoAnEmptyListInsertsAtTheTop) {
  PlaceDialog &d = open();
  EXPECT_EQ(d.projectList()->count(), 0);
  {
    MessageAnswers answers;
    click(d.newButton()); // "+" with an empty list does nothing
    EXPECT_TRUE(answers.texts().isEmpty());
  }
  type(QStringLiteral("Site"), QStringLiteral("/srv/www"));
  MessageAnswers answers;
  answers.then(QMessageBox::Ok);
  click(d.storeButton());
  EXPECT_EQ(answers.texts(),
            QStringList{QStringLiteral("The project has been updated successfully.\n")});
  EXPECT_EQ(entries(), QStringList{QStringLiteral("Site")});
  EXPECT_EQ(d.projectList()->currentIndex(), 0);
  EXPECT_EQ(d.store().selectedIndex(), 0);
  EXPECT_EQ(d.store().get(0)->rootPath, "/srv/www");
}

TEST_F(PlaceDialogTest, RootPathIsStoredAndShownWithForwardSlashes) {
  PlaceDialog &d = open();
  type(QStringLiteral("  Win  "), QStringLiteral(" C:\\www\\site\\ "));
  MessageAnswers answers;
  answers.then(QMessageBox::Ok);
  click(d.storeButton());
  EXPECT_EQ(d.store().get(0)->projectName, "Win");
  EXPECT_EQ(d.store().get(0)->rootPath, "C:/www/site");
  EXPECT_EQ(d.rootPathField()->text(), QStringLiteral("C:/www/site"));
}

TEST_F(PlaceDialogTest, MissingFieldsAreNamed) {
  PlaceDialog &d = open();
  MessageAnswers answers;
  type(QStringLiteral("   "), QStringLiteral("/x"));
  click(d.storeButton());
  type(QStringLiteral("Name"), QStringLiteral(" \\ "));
  click(d.storeButton());
  type(QString(), QString());
  click(d.doneButton());
  EXPECT_EQ(answers.texts(), (QStringList{QStringLiteral("Please input 'Project'"),
                                          QStringLiteral("Please input 'Root path'"),
                                          QStringLiteral("Please input 'Project'")}));
  EXPECT_EQ(d.store().count(), 0);
  EXPECT_TRUE(d.isVisible());
}

TEST_F(PlaceDialogTest, NameTakenIgnoringCaseIsRefused) {
  writeProjects({{"MySite", "/a"}, {"Other", "/b"}}, 1);
  PlaceDialog &d = open();
  ASSERT_EQ(d.projectList()->currentText(), QStringLiteral("Other"));
  MessageAnswers answers;
  answers.then(QMessageBox::Ok).then(QMessageBox::Ok);
  d.projectList()->setEditText(QStringLiteral("mysite"));
  click(d.storeButton());
  EXPECT_EQ(answers.texts(), QStringList{QStringLiteral("Please use another project name")});
  EXPECT_EQ(d.store().get(1)->projectName, "Other");
  // The project's own name in another case is its own.
  d.projectList()->setEditText(QStringLiteral("OTHER"));
  click(d.storeButton());
  EXPECT_EQ(d.store().get(1)->projectName, "OTHER");
  EXPECT_EQ(entries(), (QStringList{"MySite", "OTHER"}));
  EXPECT_EQ(d.projectList()->currentIndex(), 1);
}

TEST_F(PlaceDialogTest, ForbiddenCharactersAreRefusedDotsAndBlanksAccepted) {
  PlaceDialog &d = open();
  MessageAnswers answers;
  answers.then(QMessageBox::Ok).then(QMessageBox::Ok);
  type(QStringLiteral("a:b"), QStringLiteral("/x"));
  click(d.storeButton());
  ASSERT_EQ(answers.texts().size(), 1);
  EXPECT_EQ(answers.texts()[0],
            QStringLiteral("Please do not use charecters of \\\"/:*?<>| as 'Project name',\nwhich "
                           "may be used as download sub-directory.\n"));
  EXPECT_EQ(d.store().count(), 0);
  type(QStringLiteral("my site.org"), QStringLiteral("/x"));
  click(d.storeButton());
  EXPECT_EQ(d.store().count(), 1);
}

TEST_F(PlaceDialogTest, OpeningShowsTheSelectedProject) {
  writeProjects({{"One", "/one"}, {"Two", "C:\\two\\"}}, 1);
  PlaceDialog &d = open();
  EXPECT_EQ(entries(), (QStringList{"One", "Two"}));
  EXPECT_EQ(d.projectList()->currentIndex(), 1);
  EXPECT_EQ(d.rootPathField()->text(), QStringLiteral("C:/two"));
  d.projectList()->setCurrentIndex(0);
  emit d.projectList()->activated(0);
  EXPECT_EQ(d.store().selectedIndex(), 0);
  EXPECT_EQ(d.rootPathField()->text(), QStringLiteral("/one"));
}

TEST_F(PlaceDialogTest, NewAsACopyOfTheFields) {
  writeProjects({{"Site", "/srv/site"}}, 0);
  PlaceDialog &d = open();
  MessageAnswers answers;
  answers.then(QMessageBox::Yes).then(QMessageBox::Ok);
  click(d.newButton());
  EXPECT_EQ(answers.texts(), QStringList{QStringLiteral("Do you want to copy current data?")});
  EXPECT_EQ(d.store().selectedIndex(), -1);
  EXPECT_EQ(d.projectList()->currentText(), QStringLiteral("Copy of Site"));
  EXPECT_EQ(d.rootPathField()->text(), QStringLiteral("/srv/site"));
  click(d.storeButton());
  EXPECT_EQ(entries(), (QStringList{"Copy of Site", "Site"}));
  EXPECT_EQ(d.store().selectedIndex(), 0);
}

TEST_F(PlaceDialogTest, NewWithoutCopyEmptiesTheFields) {
  writeProjects({{"Site", "/srv/site"}}, 0);
  PlaceDialog &d = open();
  MessageAnswers answers;
  answers.then(QMessageBox::No);
  click(d.newButton());
  EXPECT_EQ(d.projectList()->currentText(), QString());
  EXPECT_EQ(d.rootPathField()->text(), QString());
  EXPECT_EQ(d.store().selectedIndex(), -1);
  EXPECT_EQ(d.store().count(), 1);
}

TEST_F(PlaceDialogTest, RemovingTheOnlyProjectLeavesNoSelection) {
  writeProjects({{"Only", "/only"}}, 0);
  PlaceDialog &d = open();
  MessageAnswers answers;
  answers.then(QMessageBox::Yes);
  click(d.removeButton());
  EXPECT_EQ(answers.texts(), QStringList{QStringLiteral("Remove the project?")});
  EXPECT_EQ(d.projectList()->count(), 0);
  EXPECT_EQ(d.projectList()->currentIndex(), -1);
  EXPECT_EQ(d.store().selectedIndex(), -1);
  EXPECT_EQ(d.rootPathField()->text(), QStringLiteral("/only"));
  click(d.removeButton()); // no entries: nothing happens
  EXPECT_EQ(answers.texts().size(), 1);
}

TEST_F(PlaceDialogTest, RemovingOneOfSeveralSelectsTheFirst) {
  writeProjects({{"A", "/a"}, {"B", "/b"}, {"C", "/c"}}, 2);
  PlaceDialog &d = open();
  {
    MessageAnswers answers;
    answers.then(QMessageBox::No);
    click(d.removeButton());
  }
  EXPECT_EQ(d.store().count(), 3);
  MessageAnswers answers;
  answers.then(QMessageBox::Yes);
  click(d.removeButton());
  EXPECT_EQ(entries(), (QStringList{"A", "B"}));
  EXPECT_EQ(d.projectList()->currentIndex(), 0);
  EXPECT_EQ(d.store().selectedIndex(), 0);
}

TEST_F(PlaceDialogTest, RemovingWithoutSelectionAsksForOne) {
  writeProjects({{"A", "/a"}}, 0);
  PlaceDialog &d = open();
  d.projectList()->setCurrentIndex(-1);
  MessageAnswers answers;
  answers.then(QMessageBox::Ok);
  click(d.removeButton());
  EXPECT_EQ(answers.texts(), QStringList{QStringLiteral("Please select a project")});
  EXPECT_EQ(d.store().count(), 1);
}

TEST_F(PlaceDialogTest, DoneOnAnExistingFolderEndsWithOk) {
  const std::string root = dir_.path() + "/site";
  std::filesystem::create_directory(root);
  PlaceDialog &d = open();
  type(QStringLiteral("Site"), QString::fromStdString(root + "/"));
  MessageAnswers answers;
  click(d.doneButton());
  EXPECT_TRUE(answers.texts().isEmpty());
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(CurrentLocalProject.projectName, "Site");
  EXPECT_EQ(CurrentLocalProject.rootPath, root);
}

TEST_F(PlaceDialogTest, DoneCreatesAMissingFolderTwoLevelsDown) {
  const std::string root = dir_.path() + "/new/www";
  PlaceDialog &d = open();
  type(QStringLiteral("Fresh"), QString::fromStdString(root));
  MessageAnswers answers;
  answers.then(QMessageBox::Yes);
  click(d.doneButton());
  EXPECT_EQ(answers.texts(), QStringList{QStringLiteral(
                                 "Download directory does not exist,\ndo you want to create it?")});
  EXPECT_TRUE(std::filesystem::is_directory(root));
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(CurrentLocalProject.rootPath, root);
}

TEST_F(PlaceDialogTest, DoneRefusedOrFailingStaysOpen) {
  dir_.write("file", "x");
  PlaceDialog &d = open();
  type(QStringLiteral("Bad"), QString::fromStdString(dir_.path() + "/file/www"));
  MessageAnswers answers;
  answers.then(QMessageBox::No).then(QMessageBox::Yes).then(QMessageBox::Ok);
  click(d.doneButton());
  click(d.doneButton());
  ASSERT_EQ(answers.texts().size(), 3);
  EXPECT_EQ(answers.texts()[2], QStringLiteral("Error: can not create download directory"));
  EXPECT_TRUE(d.isVisible());
  EXPECT_NE(d.result(), QDialog::Accepted);
  EXPECT_EQ(CurrentLocalProject.projectName, "");
  EXPECT_EQ(d.store().count(), 1); // the store step ran
}

TEST_F(PlaceDialogTest, CancelAfterStoreKeepsTheProjectInTheFile) {
  PlaceDialog &d = open();
  type(QStringLiteral("Kept"), QStringLiteral("/kept"));
  {
    MessageAnswers answers;
    answers.then(QMessageBox::Ok);
    click(d.storeButton());
  }
  d.reject();
  dialog_.reset();
  LocalProjectStore store = savedStore();
  ASSERT_EQ(store.count(), 1);
  EXPECT_EQ(store.get(0)->projectName, "Kept");
  EXPECT_EQ(store.selectedIndex(), 0);
}

TEST_F(PlaceDialogTest, EnterNeverEndsTheDialog) {
  writeProjects({{"Site", dir_.path().c_str()}}, 0);
  PlaceDialog &d = open();
  MessageAnswers answers;
  for (QWidget *target : std::initializer_list<QWidget *>{
           d.projectList()->lineEdit(), d.rootPathField(), d.doneButton(), d.hiddenButton(), &d}) {
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter);
  }
  test::settle();
  EXPECT_TRUE(d.isVisible());
  EXPECT_NE(d.result(), QDialog::Accepted);
  EXPECT_TRUE(answers.texts().isEmpty());
  EXPECT_EQ(entries(), QStringList{QStringLiteral("Site")});
}

TEST_F(PlaceDialogTest, FocusStartsOnTheHiddenButton) {
  PlaceDialog &d = open();
  QApplication::setActiveWindow(&d);
  test::settle();
  EXPECT_EQ(d.focusWidget(), d.hiddenButton());
  EXPECT_TRUE(d.doneButton()->isVisible());
  EXPECT_FALSE(d.doneButton()->isDefault());
}

TEST_F(PlaceDialogTest, ToolButtonsShowTheirTexts) {
  PlaceDialog &d = open();
  d.grab();
  EXPECT_EQ(d.storeButton()->toolTip(), QStringLiteral("save it "));
  EXPECT_EQ(d.removeButton()->toolTip(), QStringLiteral("delete it "));
  EXPECT_EQ(d.newButton()->toolTip(), QStringLiteral("add new data "));
  EXPECT_EQ(d.browseButton()->toolTip(), QStringLiteral("open a directory "));
  EXPECT_EQ(d.storeButton()->size(), QSize(22, 20));
}

TEST_F(PlaceDialogTest, FolderChooserStartsInTheRememberedFolder) {
  {
    SettingsFile settings;
    ASSERT_TRUE(settings.openOrCreate());
    settings.writeLocalLastFolder("/remembered");
  }
  QString title, start;
  PlaceDialog::folderChooser() = [&](QWidget *, const QString &t, const QString &s) {
    title = t;
    start = s;
    return QStringLiteral("/picked/site/");
  };
  PlaceDialog &d = open();
  click(d.browseButton());
  EXPECT_EQ(title, QStringLiteral("Root directory"));
  EXPECT_EQ(start, QStringLiteral("/remembered"));
  EXPECT_EQ(d.rootPathField()->text(), QStringLiteral("/picked/site"));
  SettingsFile settings;
  ASSERT_TRUE(settings.openExisting());
  std::string last;
  settings.readLocalLastFolder(last);
  EXPECT_EQ(last, "/picked/site");
}

TEST_F(PlaceDialogTest, CancelledChooserChangesNothingAndNoFileIsCreated) {
  PlaceDialog::folderChooser() = [](QWidget *, const QString &, const QString &) {
    return QString();
  };
  PlaceDialog &d = open();
  d.rootPathField()->setText(QStringLiteral("/kept"));
  click(d.browseButton());
  EXPECT_EQ(d.rootPathField()->text(), QStringLiteral("/kept"));
  PlaceDialog::folderChooser() = [](QWidget *, const QString &, const QString &) {
    return QStringLiteral("/chosen");
  };
  click(d.browseButton());
  EXPECT_EQ(d.rootPathField()->text(), QStringLiteral("/chosen"));
  EXPECT_FALSE(std::filesystem::exists(settingFile("Linkmoor.set")));
}

TEST_F(PlaceDialogTest, HelpShowsThePlacePage) {
  PlaceDialog &d = open();
  click(d.helpButton());
  ASSERT_NE(currentHelpWindow(), nullptr);
  EXPECT_TRUE(currentHelpWindow()->currentPage().endsWith(QStringLiteral("local/place.htm")));
  EXPECT_EQ(currentHelpWindow()->parentWidget(), &d);
}

TEST_F(PlaceDialogTest, MessagesAreTitledMessage) {
  PlaceDialog &d = open();
  QString title;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
      title = box->windowTitle();
      box->button(QMessageBox::Ok)->click();
    }
  });
  poll.start(5);
  click(d.storeButton());
  EXPECT_EQ(title, QStringLiteral("Message"));
}

TEST_F(PlaceDialogTest, TypingANameNeverCompletesOrPicksAnotherProject) {
  writeProjects({{"Site", "/site"}, {"Other", "/other"}}, 1);
  PlaceDialog &d = open();
  QApplication::setActiveWindow(&d);
  QLineEdit *name = d.projectList()->lineEdit();
  name->setFocus();
  name->selectAll();
  QTest::keyClicks(name, QStringLiteral("Si"));
  d.rootPathField()->setFocus(); // leaving the field
  test::settle();
  EXPECT_EQ(d.projectList()->currentText(), QStringLiteral("Si"));
  EXPECT_EQ(d.rootPathField()->text(), QStringLiteral("/other"));
  EXPECT_EQ(d.store().selectedIndex(), 1);
  // The whole name of another project and Enter do not switch to it either.
  name->setFocus();
  name->selectAll();
  QTest::keyClicks(name, QStringLiteral("Site"));
  QTest::keyClick(name, Qt::Key_Return);
  d.rootPathField()->setFocus();
  test::settle();
  EXPECT_EQ(d.projectList()->currentText(), QStringLiteral("Site"));
  EXPECT_EQ(d.projectList()->currentIndex(), 1);
  EXPECT_EQ(d.store().selectedIndex(), 1);
  EXPECT_EQ(d.rootPathField()->text(), QStringLiteral("/other"));
  EXPECT_EQ(entries(), (QStringList{"Site", "Other"}));
}

TEST_F(PlaceDialogTest, RemovingShowsTheSelectedProjectsOwnRootPath) {
  writeProjects({{"A", "/a"}, {"B", "/b"}, {"C", "/c"}}, 2);
  PlaceDialog &d = open();
  ASSERT_EQ(d.rootPathField()->text(), QStringLiteral("/c"));
  MessageAnswers answers;
  answers.then(QMessageBox::Yes);
  click(d.removeButton());
  EXPECT_EQ(d.projectList()->currentText(), QStringLiteral("A"));
  EXPECT_EQ(d.rootPathField()->text(), QStringLiteral("/a"));
  // "Done" now confirms A with its own folder, not the removed project's.
  std::filesystem::create_directories(dir_.path() + "/a");
  d.rootPathField()->setText(QString::fromStdString(dir_.path() + "/a"));
  click(d.doneButton());
  EXPECT_EQ(CurrentLocalProject.projectName, "A");
}

} // namespace
} // namespace linkmoor
