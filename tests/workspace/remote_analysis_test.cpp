// The remote road from the tree to the server and back, against pyftpdlib and a
// cpp-httplib "live site" on 127.0.0.1: analysing a folder (job 57) downloads every
// page into the mirror first and gives the rows linkmoor-check gives for that mirror;
// a failed download leaves its status; refresh (59) without a connection; a page's
// errors, its edit, "Save and Upload" (58) with and without the server.

#include "remote_test_support.h"

#include "platform/ftp_site.h"
#include "platform/open_with_html_program.h"
#include "storage/current_projects.h"
#include "storage/widgets/editor_control.h"
#include "workspace/edit_page.h"
#include "workspace/file_tree.h"
#include "workspace/page_menu.h"
#include "workspace/report_list.h"
#include "workspace/save_report.h"
#include "workspace/sheet_remote_pg_edit.h"
#include "workspace/sheet_remote_pg_info.h"
#include "workspace/sheet_remote_pg_main.h"
#include "workspace/summary_row.h"
#include "workspace/tree_items.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <filesystem>

namespace linkmoor::test {
namespace {

class RemoteAnalysis : public RemoteSheetTest {
protected:
  void SetUp() override {
    RemoteSheetTest::SetUp();
    if (HasFatalFailure()) return;
    retrieveRoot();
    retrieveAll();
    setSubdomain("www");
  }
  ReportList *rows() const { return sheet_->infoPage()->list(); }
  int rowOf(const QString &file) const {
    for (int row = 0; row < rows()->rowCount(); ++row)
      if (rows()->cellText(row, 0) == file) return row;
    return -1;
  }
  void analyze(const QString &folder, bool recursive) {
    sheet_->mainPage()->analyze(item(folder), recursive);
    ASSERT_TRUE(waitForJobs());
  }
  // Opens index.htm (which has errors) on the desc and edit pages.
  void openIndex() {
    analyze(QStringLiteral("www"), false);
    const int row = rowOf(QStringLiteral("index.htm"));
    ASSERT_GE(row, 0);
    ASSERT_GT(rows()->cellText(row, 2).toInt(), 0);
    sheet_->infoPage()->runCommand(CMD_EDIT_SHOW_DESCRIPTION, row);
    ASSERT_TRUE(waitForJobs());
    ASSERT_EQ(sheet_->activePageIndex(), 2);
    ASSERT_EQ(sheet_->editPage()->fileLabel()->text(), QStringLiteral("www/index.htm"));
  }
  // Replaces the editor's text as typing does (the editor then holds unsaved changes).
  void type(const QString &text) {
    sheet_->editPage()->editor()->selectAll();
    sheet_->editPage()->editor()->insertPlainText(text);
    ASSERT_TRUE(sheet_->hasUnsavedEdits());
  }
  QString save(MessageAnswers &answers) {
    sheet_->editPage()->saveButton()->click();
    EXPECT_TRUE(waitForJobs());
    settle();
    return answers.texts().isEmpty() ? QString() : answers.texts().last();
  }
};

QString report(std::initializer_list<const char *> lines) {
  QString text = QString::fromLatin1(save_report::kHeader);
  for (const char *line : lines)
    text += QString::fromLatin1(line);
  return text;
}

TEST_F(RemoteAnalysis, RecursiveAnalysisDownloadsAndMatchesTheCommandLine) {
  analyze(QStringLiteral("www"), true);
  EXPECT_EQ(sheet_->activePageIndex(), 1);
  EXPECT_EQ(sheet_->infoPage()->folder(), QStringLiteral("www/"));
  ASSERT_EQ(rows()->rowCount(), 4);
  const std::string mirror = CurrentRemoteProject.downloadFolder();
  for (const char *page :
       {"www/index.htm", "www/about.htm", "www/docs/notes.htm", "www/docs/guide/page.htm"})
    EXPECT_EQ(mirror_.read(page), served(page)) << page;
  const int index = rowOf(QStringLiteral("index.htm"));
  ASSERT_GE(index, 0);
  EXPECT_GT(rows()->cellText(index, 2).toInt(), 0) << "missing.htm is missing";

  const QString program = QStringLiteral(LINKMOOR_BINARY_DIR "/bin/linkmoor-check");
  if (!QFile::exists(program)) GTEST_SKIP() << "linkmoor-check not built";
  QStringList args{QStringLiteral("--json"),
                   QStringLiteral("--remote-site"),
                   QString::fromStdString(CurrentRemoteProject.subdomainName),
                   QStringLiteral("--subdomain-path"),
                   QStringLiteral("/www/"),
                   QString::fromStdString(mirror)};
  for (int row = 0; row < rows()->rowCount(); ++row)
    args << QStringLiteral("www/") + rows()->cellText(row, 0);
  QProcess check;
  check.start(program, args);
  ASSERT_TRUE(check.waitForFinished(60000));
  const QList<QByteArray> lines = check.readAllStandardOutput().trimmed().split('\n');
  ASSERT_EQ(lines.size(), rows()->rowCount());
  for (const QByteArray &line : lines) {
    const QJsonObject o = QJsonDocument::fromJson(line).object();
    FileSummary s;
    s.size = o.value(QStringLiteral("size")).toInt();
    s.tags = o.value(QStringLiteral("tags")).toInt();
    s.tagErrors = o.value(QStringLiteral("tagErrors")).toInt();
    s.scripts = o.value(QStringLiteral("scripts")).toInt();
    s.scriptErrors = o.value(QStringLiteral("scriptErrors")).toInt();
    s.localLinks = o.value(QStringLiteral("localLinks")).toInt();
    s.localLinksMissing = o.value(QStringLiteral("localLinksMissing")).toInt();
    s.siteLinks = o.value(QStringLiteral("siteLinks")).toInt();
    s.siteLinksMissing = o.value(QStringLiteral("siteLinksMissing")).toInt();
    s.remoteLinks = o.value(QStringLiteral("remoteLinks")).toInt();
    s.remoteLinksMissing = o.value(QStringLiteral("remoteLinksMissing")).toInt();
    const QString file = o.value(QStringLiteral("file")).toString().mid(4);
    const int row = rowOf(file);
    ASSERT_GE(row, 0) << file.toStdString();
    const SummaryCells cells = summaryCells(s);
    for (int c = 0; c < 12; ++c)
      EXPECT_EQ(rows()->cellText(row, c + 1), cells[static_cast<std::size_t>(c)])
          << file.toStdString() << " column " << c + 1;
  }
}

TEST_F(RemoteAnalysis, AFailedDownloadLeavesItsStatusAndTheJobGoesOn) {
  std::filesystem::remove(ftpRoot_.file("www/about.htm"));
  analyze(QStringLiteral("www"), false);
  const int about = rowOf(QStringLiteral("about.htm"));
  const int index = rowOf(QStringLiteral("index.htm"));
  ASSERT_GE(about, 0);
  ASSERT_GE(index, 0);
  EXPECT_EQ(rows()->cellText(about, 1), QStringLiteral("open file"));
  EXPECT_EQ(rows()->cellText(about, 2), QString());
  EXPECT_EQ(rows()->cellText(index, 1).toLongLong(),
            static_cast<long long>(served("www/index.htm").size()));
}

TEST_F(RemoteAnalysis, RefreshWithoutAConnectionAsksToReconnect) {
  analyze(QStringLiteral("www"), false);
  rows()->selectRow(0);
  ftp_->stop();
  MessageAnswers answers;
  sheet_->refreshFile();
  ASSERT_TRUE(waitForJobs());
  settle();
  ASSERT_EQ(answers.texts().size(), 1);
  EXPECT_EQ(answers.texts()[0],
            QStringLiteral("Please reconnect to website,\nbecause it was disconnected.\n"));
}

TEST_F(RemoteAnalysis, SaveAndUploadChangesTheServersFileAndReportsFourLines) {
  openIndex();
  const int row = rowOf(QStringLiteral("index.htm"));
  const int errorsBefore = rows()->cellText(row, 2).toInt();
  QString text = sheet_->editPage()->editor()->toPlainText();
  ASSERT_TRUE(text.contains(QStringLiteral("missing.htm")));
  text.replace(QStringLiteral("missing.htm"), QStringLiteral("about.htm"));
  type(text);
  MessageAnswers answers;
  const QString shown = save(answers);
  EXPECT_EQ(shown, report({save_report::kSaved, save_report::kUploaded, save_report::kGeneralDone,
                           save_report::kDescriptionDone}));
  EXPECT_EQ(served("www/index.htm"), text.toStdString());
  EXPECT_EQ(mirror_.read("www/index.htm"), text.toStdString());
  EXPECT_EQ(rows()->cellText(row, 2).toInt(), errorsBefore - 1);
  EXPECT_FALSE(sheet_->hasUnsavedEdits());
  EXPECT_TRUE(sheet_->editPage()->saveButton()->isEnabled());
}

TEST_F(RemoteAnalysis, SaveWithTheServerStoppedAndTheReconnectRefused) {
  openIndex();
  const std::string before = served("www/index.htm");
  type(QStringLiteral("<html><body></body></html>\n"));
  ftp_->stop();
  MessageAnswers answers;
  answers.then(QMessageBox::No);
  const QString shown = save(answers);
  ASSERT_EQ(answers.texts().size(), 2);
  EXPECT_EQ(answers.texts()[0], QString::fromLatin1(kReconnectQuestion));
  EXPECT_EQ(shown, report({save_report::kSaved, save_report::kDisconnected,
                           save_report::kGeneralIgnored, save_report::kDescriptionIgnored}));
  EXPECT_EQ(served("www/index.htm"), before);
  EXPECT_TRUE(sheet_->hasUnsavedEdits());
}

TEST_F(RemoteAnalysis, RefreshDownloadsTheRowAgain) {
  analyze(QStringLiteral("www"), false);
  const int row = rowOf(QStringLiteral("about.htm"));
  ASSERT_GE(row, 0);
  EXPECT_EQ(rows()->cellText(row, 2), QStringLiteral("0"));
  ftpRoot_.write("www/about.htm", "<html><body>\n<a href=\"nowhere.htm\">x</a>\n</body></html>\n");
  rows()->selectRow(row);
  sheet_->refreshFile();
  ASSERT_TRUE(waitForJobs());
  EXPECT_EQ(mirror_.read("www/about.htm"), served("www/about.htm"));
  EXPECT_EQ(rows()->cellText(row, 2), QStringLiteral("1"));
}

TEST_F(RemoteAnalysis, BrowseTheRowOpensItOnTheLiveSite) {
  analyze(QStringLiteral("www"), true);
  const std::string out = program_.file("opened.txt");
  setHtmlOpenCommand({"/bin/sh", "-c", "printf %s \"$0\" > '" + out + "'"});
  sheet_->infoPage()->runCommand(CMD_BROWSE_ROW, rowOf(QStringLiteral("docs/guide/page.htm")));
  const bool opened = waitFor(
      [&] { return std::filesystem::exists(out) && std::filesystem::file_size(out) > 0; }, 20);
  setHtmlOpenCommand({});
  ASSERT_TRUE(opened);
  EXPECT_EQ(program_.read("opened.txt"),
            "http://" + CurrentRemoteProject.subdomainName + "/docs/guide/page.htm");
}

TEST_F(RemoteAnalysis, StopDuringTheLinkChecksCancelsThatRowAndTheRest) {
  ftpRoot_.write("www/slow.htm",
                 "<html><body>\n<a href=\"http://127.0.0.1:" + std::to_string(http_->port()) +
                     "/delay/3000\">slow</a>\n</body></html>\n");
  sheet_->resetSheet();
  retrieveRoot();
  retrieveAll();
  sheet_->mainPage()->analyze(item("www"), false);
  ASSERT_TRUE(waitFor([&] { return http_->requestCount("/delay/3000") >= 1; }, 30));
  jobs_->panel()->pressStop();
  ASSERT_TRUE(waitForJobs());
  const int slow = rowOf(QStringLiteral("slow.htm"));
  ASSERT_GE(slow, 0);
  for (int row = 0; row < rows()->rowCount(); ++row) {
    if (row < slow)
      EXPECT_NE(rows()->cellText(row, 1), QStringLiteral("canceled")) << row;
    else
      EXPECT_EQ(rows()->cellText(row, 1), QStringLiteral("canceled")) << row;
  }
}

TEST_F(RemoteAnalysis, ResetEmptiesTheSheet) {
  analyze(QStringLiteral("www"), false);
  sheet_->resetSheet();
  EXPECT_EQ(sheet_->mainPage()->rootItem(), nullptr);
  EXPECT_EQ(sheet_->mainPage()->tree()->topLevelItemCount(), 0);
  EXPECT_EQ(rows()->rowCount(), 0);
  EXPECT_EQ(sheet_->activePageIndex(), 0);
  sheet_->retrieveRoot();
  ASSERT_TRUE(waitForJobs());
  EXPECT_NE(sheet_->mainPage()->rootItem(), nullptr);
}

} // namespace
} // namespace linkmoor::test
