#include "remote_test_support.h"

#include "app/connect_dialog.h"
#include "app/general_options.h"
#include "platform/ftp_site.h"
#include "storage/current_projects.h"
#include "storage/program_folder.h"
#include "storage/remote_project_store.h"
#include "workspace/file_tree.h"
#include "workspace/page_menu.h"
#include "workspace/sheet_remote_pg_main.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTreeWidgetItem>
#include <chrono>
#include <filesystem>
#include <thread>

namespace linkmoor::test {

namespace {

// The site: three folder levels below www/ (www, docs, guide), pages that link to
// each other, to an image, to a missing page, to the site's own host name and to
// another host; a page and a text file outside www/.
void writeSite(const TempDir &root, int httpPort) {
  const std::string self = "http://localhost:" + std::to_string(httpPort);
  const std::string other = "http://127.0.0.1:" + std::to_string(httpPort);
  root.write("notes.txt", "not a page\n");
  root.write("top.htm", "<html><body><p>outside the web root</p></body></html>\n");
  root.write("www/index.htm", "<html><head><title>Home</title></head><body>\n"
                              "<a href=\"about.htm\">About</a>\n"
                              "<img src=\"img/logo.png\" alt=\"logo\">\n"
                              "<a href=\"docs/guide/page.htm\">Guide</a>\n"
                              "<a href=\"missing.htm\">Missing</a>\n"
                              "<a href=\"" +
                                  self +
                                  "/about.htm\">Self</a>\n"
                                  "<a href=\"" +
                                  other +
                                  "/ok\">Other host</a>\n"
                                  "</body></html>\n");
  root.write("www/about.htm", "<html><body>\n<a href=\"index.htm\">Home</a>\n</body></html>\n");
  root.write("www/img/logo.png", std::string("\x89PNG\r\n\x1a\n", 8) + "not really");
  root.write("www/docs/notes.htm", "<html><body>\n<a href=\"guide/page.htm\">Guide</a>\n"
                                   "<a href=\"/index.htm\">Home</a>\n</body></html>\n");
  root.write("www/docs/guide/page.htm", "<html><body>\n<a href=\"../../index.htm\">Home</a>\n"
                                        "<a href=\"../gone.htm\">Gone</a>\n</body></html>\n");
}

void serveOverHttp(HttpTestServer &http, const std::string &www) {
  for (const auto &entry : std::filesystem::recursive_directory_iterator(www)) {
    if (!entry.is_regular_file()) continue;
    const std::string path = "/" + std::filesystem::relative(entry.path(), www).generic_string();
    const std::string file = entry.path().string();
    http.addRoute(path, [file](const httplib::Request &, httplib::Response &response) {
      std::string body;
      if (FILE *f = std::fopen(file.c_str(), "rb")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
          body.append(buffer, n);
        std::fclose(f);
      }
      response.set_content(body, "text/html");
    });
  }
}

} // namespace

void RemoteSheetTest::SetUp() {
  std::filesystem::create_directories(program_.path() + "/Setting");
  ProgramFolder::setOverride(program_.path());
  generalOptions().lineEnding = 1;
  http_ = std::make_unique<HttpTestServer>();
  writeSite(ftpRoot_, http_->port());
  serveOverHttp(*http_, ftpRoot_.path() + "/www");
  ftp_ = std::make_unique<PyFtpServer>(ftpRoot_.path());

  RemoteProject project;
  project.projectName = "Test site";
  project.downloadPath = mirror_.path();
  project.addProjectNameToDownload = 0;
  project.host = "127.0.0.1";
  project.port = ftp_->port();
  project.userName = "tester";
  project.password = "secret";
  project.passive = 1;
  project.subdomainName = "localhost:" + std::to_string(http_->port());
  {
    RemoteProjectStore store;
    store.insertFirst(std::make_unique<RemoteProject>(project));
    store.setSelectedIndex(0);
    ASSERT_TRUE(store.save());
  }
  CurrentRemoteProject = project;
  FtpTimeouts timeouts;
  timeouts.connectMs = timeouts.responseMs = timeouts.stalledMs = 5000;
  ftpSite().setTimeouts(timeouts);
  ASSERT_TRUE(ftpSite().connect(ftpLoginOf(project)));

  jobs_ = std::make_unique<JobThread>();
  host_.resize(980, 620);
  jobs_->setOwner(&host_);
  sheet_ = new SheetRemote(QStringLiteral("Host"), &host_, *jobs_);
  sheet_->setGeometry(host_.rect());
  host_.show();
  sheet_->show();
  settle();
}

void RemoteSheetTest::TearDown() {
  waitForJobs();
  delete sheet_;
  sheet_ = nullptr;
  if (jobs_) jobs_->destroyPanelWindow();
  jobs_.reset();
  ftpSite().close();
  ftp_.reset();
  http_.reset();
  CurrentRemoteProject = RemoteProject();
  ProgramFolder::setOverride("");
}

bool waitFor(const std::function<bool()> &done, int seconds) {
  // FTP and HTTP work takes wall-clock time: a round count is no measure for it.
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > seconds * 1000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

bool RemoteSheetTest::waitForJobs() {
  return waitFor([this] { return !jobs_ || !jobs_->isRunning(); });
}

QTreeWidgetItem *RemoteSheetTest::child(QTreeWidgetItem *parent, const QString &name) {
  if (!parent) return nullptr;
  for (int i = 0; i < parent->childCount(); ++i)
    if (parent->child(i)->text(0) == name) return parent->child(i);
  return nullptr;
}

QTreeWidgetItem *RemoteSheetTest::item(const QString &path) const {
  QTreeWidgetItem *at = sheet_->mainPage()->rootItem();
  if (path.isEmpty()) return at;
  for (const QString &name : path.split(QLatin1Char('/')))
    at = child(at, name);
  return at;
}

void RemoteSheetTest::retrieveRoot() {
  sheet_->retrieveRoot();
  ASSERT_TRUE(waitForJobs());
  ASSERT_NE(sheet_->mainPage()->rootItem(), nullptr);
}

void RemoteSheetTest::retrieveAll() {
  QTreeWidgetItem *root = sheet_->mainPage()->rootItem();
  sheet_->mainPage()->runCommand(CMD_REMOTE_RETRIEVE_ALL, root);
  ASSERT_TRUE(waitForJobs());
}

void RemoteSheetTest::setSubdomain(const QString &path) {
  sheet_->mainPage()->runCommand(CMD_REMOTE_SET_SUBDOMAIN, item(path));
}

} // namespace linkmoor::test
