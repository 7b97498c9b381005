// The remote project dialog with a real widget tree, a real job runner and real FTP
// servers on 127.0.0.1: every field rule and message, the mirror folder questions,
// job 51 with its three attempts and Stop, and the passwords that are not kept.
#include "app/connect_dialog.h"
#include "app/help_topic.h"
#include "app/help_window.h"
#include "app/job_thread.h"
#include "app/picture_button.h"
#include "app/progress_panel.h"
#include "app_test_support.h"
#include "storage/current_projects.h"
#include "storage/settings_file.h"
#include "storage/widgets/tool_button.h"
#include "support/ftp_test_server.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>

namespace linkmoor {
namespace {

namespace fs = std::filesystem;
using test::MessageAnswers;

const QString kCannotConnect = QStringLiteral("Can not connect to the host");
const QString kCreate =
    QStringLiteral("Download directory does not exist,\ndo you want to create it?");
const QString kNotEmpty =
    QStringLiteral("Download directory is not empty,\ndo you still want to use it?");

class ConnectDialogTest : public test::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    CurrentRemoteProject = RemoteProject{};
    main_.setGeometry(50, 50, 800, 600);
    main_.show();
    jobs_.setOwner(&main_);
    fs::create_directories(served());
  }
  void TearDown() override {
    jobEnded();
    dialog_.reset();
    site_.close();
    server_.reset();
    AppTest::TearDown();
  }
  std::string served() const { return dir_.path() + "/served"; }
  std::string mirror() const { return dir_.path() + "/mirror"; }
  void startServer() { server_ = std::make_unique<test::PyFtpServer>(served()); }
  // The dialog filled for a server that accepts and never answers, with all three
  // time-outs at `timeoutMs`.
  ConnectDialog &openForSilent(const test::SilentListener &silent, long timeoutMs) {
    FtpTimeouts timeouts;
    timeouts.connectMs = timeouts.responseMs = timeouts.stalledMs = timeoutMs;
    site_.setTimeouts(timeouts);
    fs::create_directories(mirror() + "/Site");
    ConnectDialog &d = open();
    fill("Site", QString::fromStdString(mirror()), "127.0.0.1", QString::number(silent.port()),
         "tester", "secret");
    return d;
  }
  ConnectDialog &open() {
    dialog_ = std::make_unique<ConnectDialog>(jobs_, site_);
    dialog_->show();
    test::settle();
    return *dialog_;
  }
  void fill(const QString &name, const QString &path, const QString &host, const QString &port,
            const QString &user, const QString &password) {
    dialog_->projectList()->setEditText(name);
    dialog_->downloadPathField()->setText(path);
    dialog_->hostField()->setText(host);
    dialog_->portField()->setText(port);
    dialog_->userField()->setText(user);
    dialog_->passwordField()->setText(password);
  }
  // A project that reaches the test server, mirrored into mirror()/<name>.
  void fillForServer(const QString &name, const QString &password = QStringLiteral("secret")) {
    fill(name, QString::fromStdString(mirror()), QStringLiteral("127.0.0.1"),
         QString::number(server_ ? server_->port() : 21), QStringLiteral("tester"), password);
  }
  void writeProjects(const std::vector<RemoteProject> &projects, int selected) {
    RemoteProjectStore store;
    for (auto it = projects.rbegin(); it != projects.rend(); ++it)
      store.insertFirst(std::make_unique<RemoteProject>(*it));
    store.setSelectedIndex(selected);
    ASSERT_TRUE(store.save());
  }
  static RemoteProject project(const char *name, const char *host, bool savePassword = true) {
    RemoteProject p;
    p.projectName = name;
    p.downloadPath = "/mirror";
    p.host = host;
    p.port = 2121;
    p.userName = "user";
    p.password = "pw";
    p.savePassword = savePassword;
    p.subdomainPath = "/www/";
    p.subdomainName = "www.example.org";
    return p;
  }
  std::string fileBytes() const {
    std::ifstream in(settingFile("SettingRemote.data"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
  // The worker may sit in a connection attempt for a while: wait by the clock, with
  // a generous bound that only catches a hang.
  bool jobEnded() {
    return waitFor([&] { return !jobs_.isRunning(); });
  }
  static bool waitFor(const std::function<bool()> &done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
      if (std::chrono::steady_clock::now() > limit) return false;
      QApplication::processEvents(QEventLoop::AllEvents, 5);
      QThread::msleep(2);
    }
    return true;
  }

  QWidget main_;
  JobThread jobs_;
  FtpSite site_;
  std::unique_ptr<test::PyFtpServer> server_;
  std::unique_ptr<ConnectDialog> dialog_;
};

TEST_F(ConnectDialogTest, EachMissingFieldIsNamedInOrder) {
  ConnectDialog &d = open();
  MessageAnswers answers;
  const QString e;
  fill(e, e, e, e, e, e);
  click(d.storeButton());
  fill("P", e, e, e, e, e);
  click(d.storeButton());
  fill("P", "/m", " ", e, e, e);
  click(d.storeButton());
  fill("P", "/m", "h", "  ", e, e);
  click(d.storeButton());
  fill("P", "/m", "h", "21", e, e);
  click(d.storeButton());
  fill("P", "/m", "h", "21", "u", " ");
  click(d.connectButton());
  EXPECT_EQ(answers.texts(), (QStringList{"Please input 'Project'", "Please input 'Download path'",
                                          "Please input 'Host name'", "Please input 'Port'",
                                          "Please input 'User name'", "Please input 'User pswd'"}));
  EXPECT_EQ(d.store().count(), 0);
  EXPECT_FALSE(jobs_.isRunning());
}

TEST_F(ConnectDialogTest, PortAbcIsStoredAsZeroAndFieldsAreTrimmedAndNormalised) {
  ConnectDialog &d = open();
  fill(" Shop ", " C:\\mirror\\ ", " ftp.example.org ", "abc", " me ", " pw ");
  d.passiveBox()->setChecked(true);
  d.savePasswordBox()->setChecked(true);
  MessageAnswers answers;
  answers.then(QMessageBox::Ok);
  click(d.storeButton());
  EXPECT_EQ(answers.texts(), QStringList{"The project has been updated successfully.\n"});
  const RemoteProject *p = d.store().get(0);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->projectName, "Shop");
  EXPECT_EQ(p->downloadPath, "C:/mirror");
  EXPECT_EQ(p->host, "ftp.example.org");
  EXPECT_EQ(p->port, 0);
  EXPECT_EQ(p->userName, "me");
  EXPECT_EQ(p->password, "pw");
  EXPECT_EQ(p->passive, 1);
  EXPECT_EQ(d.projectList()->currentText(), QStringLiteral("Shop"));
}

TEST_F(ConnectDialogTest, NameRulesAreThoseOfTheLocalDialog) {
  writeProjects({project("MySite", "h")}, 0);
  ConnectDialog &d = open();
  MessageAnswers answers;
  answers.then(QMessageBox::Yes).then(QMessageBox::Ok).then(QMessageBox::Ok);
  click(d.newButton());
  d.projectList()->setEditText(QStringLiteral("mysite"));
  click(d.storeButton());
  d.projectList()->setEditText(QStringLiteral("a|b"));
  click(d.storeButton());
  ASSERT_EQ(answers.texts().size(), 3);
  EXPECT_EQ(answers.texts()[1], QStringLiteral("Please use another project name"));
  EXPECT_TRUE(answers.texts()[2].startsWith(QStringLiteral("Please do not use charecters of ")));
  EXPECT_EQ(d.store().count(), 1);
}

TEST_F(ConnectDialogTest, OpeningShowsTheSelectedProjectAndNoSelectionShowsDefaults) {
  writeProjects({project("One", "one.example.org"), project("Two", "two.example.org")}, 1);
  ConnectDialog &d = open();
  EXPECT_EQ(d.projectList()->currentText(), QStringLiteral("Two"));
  EXPECT_EQ(d.hostField()->text(), QStringLiteral("two.example.org"));
  EXPECT_EQ(d.portField()->text(), QStringLiteral("2121"));
  EXPECT_EQ(d.passwordField()->echoMode(), QLineEdit::Password);
  d.projectList()->setCurrentIndex(-1);
  emit d.projectList()->activated(-1);
  EXPECT_EQ(d.projectList()->currentText(), QString());
  EXPECT_EQ(d.hostField()->text(), QString());
  EXPECT_EQ(d.portField()->text(), QStringLiteral("21"));
  EXPECT_TRUE(d.savePasswordBox()->isChecked());
  EXPECT_TRUE(d.addNameBox()->isChecked());
  EXPECT_FALSE(d.passiveBox()->isChecked());
  EXPECT_FALSE(d.clearBox()->isChecked());
}

TEST_F(ConnectDialogTest, ProjectWithoutSavePasswordShowsAnEmptyPasswordAndNeverWritesOne) {
  writeProjects({project("Keep", "k"), project("Forget", "f", false)}, 0);
  ConnectDialog &d = open();
  EXPECT_EQ(d.passwordField()->text(), QStringLiteral("pw"));
  d.projectList()->setCurrentIndex(1);
  emit d.projectList()->activated(1);
  EXPECT_EQ(d.passwordField()->text(), QString());
  d.passwordField()->setText(QStringLiteral("typed-secret"));
  MessageAnswers answers;
  answers.then(QMessageBox::Ok);
  click(d.storeButton());
  EXPECT_EQ(answers.texts(), QStringList{"The project has been updated successfully.\n"});
  EXPECT_EQ(d.passwordField()->text(), QStringLiteral("typed-secret"));
  dialog_.reset();
  const std::string bytes = fileBytes();
  EXPECT_EQ(bytes.find("typed-secret"), std::string::npos);
  EXPECT_NE(bytes.find("pw"), std::string::npos); // the kept one is kept
}

TEST_F(ConnectDialogTest, NewAsACopyAndWithoutOne) {
  writeProjects({project("Site", "site.example.org")}, 0);
  ConnectDialog &d = open();
  MessageAnswers answers;
  answers.then(QMessageBox::Yes).then(QMessageBox::No).then(QMessageBox::Yes);
  click(d.newButton());
  EXPECT_EQ(answers.texts(), QStringList{"Do you want to copy current data?"});
  EXPECT_EQ(d.projectList()->currentText(), QStringLiteral("Copy of Site"));
  EXPECT_EQ(d.hostField()->text(), QStringLiteral("site.example.org"));
  EXPECT_EQ(d.store().selectedIndex(), -1);
  // "+" in new mode does nothing; select the project again and copy without data.
  click(d.newButton());
  EXPECT_EQ(answers.texts().size(), 1);
  d.projectList()->setCurrentIndex(0);
  emit d.projectList()->activated(0);
  click(d.newButton());
  EXPECT_EQ(d.projectList()->currentText(), QString());
  EXPECT_EQ(d.hostField()->text(), QString());
  EXPECT_EQ(d.portField()->text(), QStringLiteral("21"));
  // A copy stops at the first missing field: later fields keep their defaults.
  d.projectList()->setCurrentIndex(0);
  emit d.projectList()->activated(0);
  d.hostField()->clear();
  d.clearBox()->setChecked(true);
  click(d.newButton());
  EXPECT_EQ(d.projectList()->currentText(), QStringLiteral("Copy of Site"));
  EXPECT_EQ(d.downloadPathField()->text(), QStringLiteral("/mirror"));
  EXPECT_EQ(d.portField()->text(), QStringLiteral("21"));
  EXPECT_EQ(d.userField()->text(), QString());
  EXPECT_FALSE(d.clearBox()->isChecked());
}

TEST_F(ConnectDialogTest, RemovingShowsTheNextProjectsOwnFields) {
  writeProjects({project("A", "a.example.org"), project("B", "b.example.org")}, 1);
  ConnectDialog &d = open();
  ASSERT_EQ(d.hostField()->text(), QStringLiteral("b.example.org"));
  MessageAnswers answers;
  answers.then(QMessageBox::Yes);
  click(d.removeButton());
  EXPECT_EQ(answers.texts(), QStringList{"Remove the project?"});
  EXPECT_EQ(d.projectList()->currentText(), QStringLiteral("A"));
  EXPECT_EQ(d.hostField()->text(), QStringLiteral("a.example.org"));
  EXPECT_EQ(d.store().count(), 1);
}

TEST_F(ConnectDialogTest, TypingANameDoesNotCompleteIt) {
  writeProjects({project("Site", "s"), project("Other", "o")}, 1);
  ConnectDialog &d = open();
  QApplication::setActiveWindow(&d);
  QLineEdit *name = d.projectList()->lineEdit();
  name->setFocus();
  name->selectAll();
  QTest::keyClicks(name, QStringLiteral("Si"));
  d.hostField()->setFocus();
  test::settle();
  EXPECT_EQ(d.projectList()->currentText(), QStringLiteral("Si"));
  EXPECT_EQ(d.hostField()->text(), QStringLiteral("o"));
  name->setFocus();
  name->selectAll();
  QTest::keyClicks(name, QStringLiteral("Site"));
  d.hostField()->setFocus();
  test::settle();
  EXPECT_EQ(d.projectList()->currentText(), QStringLiteral("Site"));
  EXPECT_EQ(d.store().selectedIndex(), 1);
  EXPECT_EQ(d.hostField()->text(), QStringLiteral("o"));
}

TEST_F(ConnectDialogTest, ShopMirrorsIntoAFolderCreatedAfterOneQuestion) {
  startServer();
  ConnectDialog &d = open();
  fillForServer(QStringLiteral("Shop"));
  d.downloadPathField()->setText(QString::fromStdString(dir_.path() + "\\mirror\\"));
  {
    MessageAnswers answers;
    answers.then(QMessageBox::No);
    click(d.connectButton());
    EXPECT_EQ(answers.texts(), QStringList{kCreate});
    EXPECT_FALSE(fs::exists(mirror()));
    EXPECT_FALSE(jobs_.isRunning());
  }
  MessageAnswers answers;
  answers.then(QMessageBox::Yes);
  click(d.connectButton());
  ASSERT_TRUE(jobEnded());
  EXPECT_EQ(answers.texts(), QStringList{kCreate});
  EXPECT_TRUE(fs::is_directory(mirror() + "/Shop"));
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(CurrentRemoteProject.projectName, "Shop");
  EXPECT_EQ(CurrentRemoteProject.downloadFolder(), mirror() + "/Shop");
  EXPECT_EQ(CurrentRemoteProject.password, "secret");
  EXPECT_TRUE(site_.isConnected());
  EXPECT_EQ(jobs_.panel()->line1(), QStringLiteral("Connecting to site 127.0.0.1"));
}

TEST_F(ConnectDialogTest, ClearDownloadDirectoryEmptiesTheFolderWithoutAsking) {
  startServer();
  dir_.write("mirror/Site/old.htm", "old");
  dir_.write("mirror/Site/sub/deeper/x.htm", "x");
  ConnectDialog &d = open();
  fillForServer(QStringLiteral("Site"));
  d.clearBox()->setChecked(true);
  MessageAnswers answers;
  click(d.connectButton());
  ASSERT_TRUE(jobEnded());
  EXPECT_TRUE(answers.texts().isEmpty());
  EXPECT_TRUE(fs::is_directory(mirror() + "/Site"));
  EXPECT_TRUE(fs::is_empty(mirror() + "/Site"));
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(ConnectDialogTest, FolderNotEmptyAsksAndNoStops) {
  startServer();
  dir_.write("mirror/kept.htm", "kept");
  ConnectDialog &d = open();
  fillForServer(QStringLiteral("Site"));
  d.addNameBox()->setChecked(false);
  MessageAnswers answers;
  answers.then(QMessageBox::No).then(QMessageBox::Yes);
  click(d.connectButton());
  EXPECT_EQ(answers.texts(), QStringList{kNotEmpty});
  EXPECT_FALSE(jobs_.isRunning());
  EXPECT_TRUE(d.isVisible());
  click(d.connectButton());
  ASSERT_TRUE(jobEnded());
  EXPECT_EQ(answers.texts(), (QStringList{kNotEmpty, kNotEmpty}));
  EXPECT_EQ(dir_.read("mirror/kept.htm"), "kept");
  EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(ConnectDialogTest, MirrorFolderThatCannotBeMadeIsReported) {
  dir_.write("file", "x");
  ConnectDialog &d = open();
  fill("P", QString::fromStdString(dir_.path() + "/file/below"), "h", "21", "u", "p");
  MessageAnswers answers;
  answers.then(QMessageBox::Yes).then(QMessageBox::Ok);
  click(d.connectButton());
  d.downloadPathField()->setText(QString::fromStdString(dir_.path()));
  d.projectList()->setEditText(QStringLiteral("file"));
  click(d.connectButton()); // the mirror folder is a file
  EXPECT_EQ(answers.texts(), (QStringList{kCreate, "Error: can not create download directory",
                                          "Error: can not create download directory"}));
  EXPECT_FALSE(jobs_.isRunning());
}

TEST_F(ConnectDialogTest, WrongPasswordGivesUpAfterThreeAttempts) {
  startServer();
  fs::create_directories(mirror() + "/Site");
  ConnectDialog &d = open();
  fillForServer(QStringLiteral("Site"), QStringLiteral("wrong"));
  MessageAnswers answers;
  answers.then(QMessageBox::Ok);
  click(d.connectButton());
  ASSERT_TRUE(jobEnded());
  EXPECT_EQ(answers.texts(), QStringList{kCannotConnect});
  EXPECT_TRUE(d.isVisible());
  EXPECT_NE(d.result(), QDialog::Accepted);
  EXPECT_EQ(CurrentRemoteProject.projectName, "");
  EXPECT_FALSE(site_.isConnected());
}

TEST_F(ConnectDialogTest, SilentServerIsTriedThreeTimes) {
  test::SilentListener silent;
  ConnectDialog &d = openForSilent(silent, 200);
  MessageAnswers answers;
  answers.then(QMessageBox::Ok);
  click(d.connectButton());
  ASSERT_TRUE(jobEnded());
  EXPECT_EQ(silent.accepted(), 3);
  EXPECT_EQ(answers.texts(), QStringList{kCannotConnect});
}

TEST_F(ConnectDialogTest, StopEndsAfterTheAttemptInProgress) {
  test::SilentListener silent;
  ConnectDialog &d = openForSilent(silent, 2000);
  MessageAnswers answers;
  answers.then(QMessageBox::Ok);
  click(d.connectButton());
  ASSERT_TRUE(waitFor([&] { return silent.accepted() == 1; }));
  ProgressPanel *panel = jobs_.panel();
  ASSERT_TRUE(panel->isVisible());
  ASSERT_TRUE(panel->stopButton()->isVisibleTo(panel));
  EXPECT_FALSE(panel->skipButton()->isVisibleTo(panel));
  // Closing is refused while the connection job runs.
  d.reject();
  EXPECT_TRUE(d.isVisible());
  QTest::mouseClick(panel->stopButton(), Qt::LeftButton);
  ASSERT_TRUE(jobEnded());
  EXPECT_EQ(silent.accepted(), 1);
  EXPECT_EQ(answers.texts(), QStringList{kCannotConnect});
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(CurrentRemoteProject.projectName, "");
}

TEST_F(ConnectDialogTest, StripOutlivesTheDialogThatConnected) {
  startServer();
  fs::create_directories(mirror() + "/Site");
  ConnectDialog &d = open();
  fillForServer(QStringLiteral("Site"));
  click(d.connectButton());
  ASSERT_TRUE(jobEnded());
  ASSERT_EQ(d.result(), QDialog::Accepted);
  dialog_.reset();
  ASSERT_NE(jobs_.panel(), nullptr);
  EXPECT_EQ(jobs_.panel()->parentWidget(), &main_);
}

TEST_F(ConnectDialogTest, EnterNeitherConnectsNorCloses) {
  ConnectDialog &d = open();
  fill("P", "/m", "h", "21", "u", "p");
  MessageAnswers answers;
  for (QWidget *target : std::initializer_list<QWidget *>{
           d.projectList()->lineEdit(), d.hostField(), d.passwordField(), d.connectButton(), &d}) {
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter);
  }
  test::settle();
  EXPECT_TRUE(d.isVisible());
  EXPECT_TRUE(answers.texts().isEmpty());
  EXPECT_FALSE(jobs_.isRunning());
  EXPECT_EQ(d.store().count(), 0);
}

TEST_F(ConnectDialogTest, ToolButtonsChooserAndHelp) {
  QString title;
  const ProjectDialog::FolderChooser saved = ProjectDialog::folderChooser();
  ProjectDialog::folderChooser() = [&](QWidget *, const QString &t, const QString &) {
    title = t;
    return QStringLiteral("/picked/mirror/");
  };
  {
    SettingsFile settings;
    ASSERT_TRUE(settings.openOrCreate());
    settings.writeLocalLastFolder("/local/last");
  }
  ConnectDialog &d = open();
  d.grab();
  EXPECT_EQ(d.storeButton()->toolTip(), QStringLiteral("save it "));
  EXPECT_EQ(d.removeButton()->toolTip(), QStringLiteral("delete it "));
  EXPECT_EQ(d.newButton()->toolTip(), QStringLiteral("add new data "));
  EXPECT_EQ(d.browseButton()->toolTip(), QStringLiteral("open a directory "));
  click(d.browseButton());
  ProjectDialog::folderChooser() = saved;
  EXPECT_EQ(title, QStringLiteral("Root directory"));
  EXPECT_EQ(d.downloadPathField()->text(), QStringLiteral("/picked/mirror"));
  {
    SettingsFile settings;
    ASSERT_TRUE(settings.openExisting());
    std::string remote, local;
    settings.readRemoteLastFolder(remote);
    settings.readLocalLastFolder(local);
    EXPECT_EQ(remote, "/picked/mirror");
    EXPECT_EQ(local, "/local/last");
  }
  click(d.helpButton());
  ASSERT_NE(currentHelpWindow(), nullptr);
  EXPECT_TRUE(currentHelpWindow()->currentPage().endsWith(QStringLiteral("site/connect.htm")));
}

} // namespace
} // namespace linkmoor
