// The site option dialog against pyftpdlib on 127.0.0.1 and the machine's resolver:
// job 52 fills it, "Apply" checks and stores the subdomain name.

#include "app/connect_dialog.h"
#include "app/job_thread.h"
#include "app/site_option_dialog.h"
#include "platform/ftp_site.h"
#include "platform/host_lookup.h"
#include "storage/current_projects.h"
#include "storage/program_folder.h"
#include "storage/remote_project_store.h"
#include "support/ftp_test_server.h"
#include "support/gui/gui_test_helpers.h"
#include "support/temp_dir.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <gtest/gtest.h>

namespace linkmoor::test {
namespace {

class SiteOptionTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directories(program_.path() + "/Setting");
    ProgramFolder::setOverride(program_.path());
    server_ = std::make_unique<PyFtpServer>(served_.path());
    project_.projectName = "Site";
    project_.downloadPath = mirror_.path();
    project_.host = "127.0.0.1";
    project_.port = server_->port();
    project_.userName = "tester";
    project_.password = "secret";
    project_.passive = 1;
    project_.subdomainPath = "/www/";
    project_.subdomainName = "localhost";
    RemoteProjectStore store;
    store.insertFirst(std::make_unique<RemoteProject>(project_));
    store.setSelectedIndex(0);
    ASSERT_TRUE(store.save());
    CurrentRemoteProject = project_;
    jobs_.setOwner(&host_);
  }
  void TearDown() override {
    waitUntil([this] { return !jobs_.isRunning(); });
    jobs_.destroyPanelWindow();
    site_.close();
    CurrentRemoteProject = RemoteProject();
    ProgramFolder::setOverride("");
  }
  void connectSite() { ASSERT_TRUE(site_.connect(ftpLoginOf(project_))); }
  std::unique_ptr<SiteOptionDialog> opened() {
    auto dialog = std::make_unique<SiteOptionDialog>(jobs_, site_, &host_);
    EXPECT_TRUE(dialog->begin());
    EXPECT_TRUE(waitUntil([this] { return !jobs_.isRunning(); }) ||
                waitUntil([this] { return !jobs_.isRunning(); }));
    return dialog;
  }
  static std::string storedName() {
    RemoteProjectStore store;
    if (!store.load()) return "?";
    const RemoteProject *project = store.get(store.selectedIndex());
    return project ? project->subdomainName : "?";
  }
  QString applyWith(const QString &typed, MessageAnswers &answers, SiteOptionDialog &dialog) {
    dialog.subdomainNameField()->setText(typed);
    dialog.applyButton()->click();
    settle();
    return answers.texts().isEmpty() ? QString() : answers.texts().last();
  }

  TempDir program_;
  TempDir served_;
  TempDir mirror_;
  std::unique_ptr<PyFtpServer> server_;
  RemoteProject project_;
  FtpSite site_;
  QWidget host_;
  JobThread jobs_;
};

TEST_F(SiteOptionTest, OpeningFillsTheFieldsAndResolvesTheName) {
  connectSite();
  auto dialog = opened();
  EXPECT_EQ(dialog->hostText()->text(), QStringLiteral("127.0.0.1"));
  EXPECT_EQ(dialog->subdomainNameField()->text(), QStringLiteral("localhost"));
  EXPECT_EQ(dialog->subdomainPathField()->text(), QStringLiteral("/www/"));
  EXPECT_TRUE(dialog->subdomainPathField()->isReadOnly());
  EXPECT_EQ(dialog->resolvedText()->text(), QStringLiteral("Host name\tlocalhost"));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Site option"));
}

TEST_F(SiteOptionTest, AnEmptyNameShowsTheResolvedTextAlone) {
  CurrentRemoteProject.subdomainName.clear();
  connectSite();
  auto dialog = opened();
  EXPECT_EQ(dialog->resolvedText()->text(), QStringLiteral("Host name\t"));
}

TEST_F(SiteOptionTest, ADroppedConnectionAsksAndNoKeepsTheDialogShut) {
  MessageAnswers answers;
  answers.then(QMessageBox::No);
  SiteOptionDialog dialog(jobs_, site_, &host_);
  EXPECT_FALSE(dialog.begin());
  ASSERT_EQ(answers.texts().size(), 1);
  EXPECT_EQ(answers.texts()[0], QString::fromLatin1(kReconnectQuestion));
  EXPECT_FALSE(jobs_.isRunning());
}

TEST_F(SiteOptionTest, ApplyDropsTrailingSlashesAndStoresTheName) {
  connectSite();
  auto dialog = opened();
  CurrentRemoteProject.subdomainName = "old";
  MessageAnswers answers;
  EXPECT_EQ(applyWith(QStringLiteral("  LocalHost\\/ "), answers, *dialog),
            QStringLiteral("'Subdomain name' has been updated successfully.\n"));
  EXPECT_EQ(answers.texts().size(), 1);
  EXPECT_EQ(CurrentRemoteProject.subdomainName, "LocalHost");
  EXPECT_EQ(storedName(), "LocalHost");
  EXPECT_EQ(dialog->resolvedText()->text(), QStringLiteral("Host name\tlocalhost"));
}

TEST_F(SiteOptionTest, ANameWithAPortIsResolvedByItsHost) {
  connectSite();
  auto dialog = opened();
  MessageAnswers answers;
  EXPECT_EQ(applyWith(QStringLiteral("localhost:8080"), answers, *dialog),
            QStringLiteral("'Subdomain name' has been updated successfully.\n"));
  EXPECT_EQ(CurrentRemoteProject.subdomainName, "localhost:8080");
  EXPECT_EQ(storedName(), "localhost:8080");
}

TEST_F(SiteOptionTest, EmptyAndUnresolvableNamesStoreNothing) {
  connectSite();
  auto dialog = opened();
  {
    MessageAnswers answers;
    EXPECT_EQ(applyWith(QStringLiteral(" / "), answers, *dialog),
              QStringLiteral("Please input 'Subdomain name'\n"));
  }
  {
    MessageAnswers answers;
    EXPECT_EQ(applyWith(QStringLiteral("no-such-host.invalid"), answers, *dialog),
              QStringLiteral("Can not find the subdomain on the internet,\nplease correct it\n"));
  }
  EXPECT_EQ(CurrentRemoteProject.subdomainName, "localhost");
  EXPECT_EQ(storedName(), "localhost");
}

TEST_F(SiteOptionTest, AnotherOfficialNameIsConfirmedFirst) {
  std::string official;
  if (!lookUpHost("ip6-localhost", official) || official == "ip6-localhost" ||
      official == "www.ip6-localhost")
    GTEST_SKIP() << "no alias with another official name here";
  connectSite();
  auto dialog = opened();
  {
    MessageAnswers answers;
    answers.then(QMessageBox::No);
    applyWith(QStringLiteral("ip6-localhost"), answers, *dialog);
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_EQ(answers.texts()[0], subdomainConfirmation(QStringLiteral("ip6-localhost"),
                                                        QString::fromStdString(official)));
    EXPECT_EQ(storedName(), "localhost");
  }
  MessageAnswers answers;
  answers.then(QMessageBox::Yes);
  applyWith(QStringLiteral("ip6-localhost"), answers, *dialog);
  EXPECT_EQ(storedName(), "ip6-localhost");
  EXPECT_EQ(CurrentRemoteProject.subdomainName, "ip6-localhost");
}

TEST(SiteOptionText, ConfirmationAndCleaning) {
  EXPECT_EQ(subdomainConfirmation(QStringLiteral("a"), QStringLiteral("b")),
            QStringLiteral("Inputted subdomain name is 'a'\nchecked  subdomain name is 'b'\nyou "
                           "sure your input is correct?\n"));
  EXPECT_EQ(cleanSubdomainName(QStringLiteral(" a\\b// ")), QStringLiteral("a/b"));
}

} // namespace
} // namespace linkmoor::test
