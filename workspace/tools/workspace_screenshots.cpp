// linkmoor-workspace-screenshots DIR: opens the demo site as a local project in the main
// window at its first-start size and renders the workspace to PNG files in DIR: the
// file tree, the summary after analysing the whole site (also scrolled to its end and,
// in a narrower window, sideways), the error list of a page with errors, and the editor
// scrolled to the middle of a page; then the demo site again as a remote project served
// by pyftpdlib on 127.0.0.1 (its tree, its summary, its editor) and the site option
// dialog. Runs on the offscreen platform unless another is
// chosen; works in a scratch Setting folder.
#include "app/connect_dialog.h"
#include "app/help_topic.h"
#include "app/job_thread.h"
#include "app/main_dialog.h"
#include "app/site_option_dialog.h"
#include "app/tools/screenshot_support.h"
#include "app/window_geometry.h"
#include "platform/ftp_site.h"
#include "storage/current_projects.h"
#include "storage/program_folder.h"
#include "storage/widgets/editor_control.h"
#include "workspace/file_tree.h"
#include "workspace/page_menu.h"
#include "workspace/report_list.h"
#include "workspace/sheet_local.h"
#include "workspace/sheet_local_pg_edit.h"
#include "workspace/sheet_local_pg_info.h"
#include "workspace/sheet_local_pg_main.h"
#include "workspace/sheet_remote.h"
#include "workspace/sheet_remote_pg_edit.h"
#include "workspace/sheet_remote_pg_info.h"
#include "workspace/sheet_remote_pg_main.h"
#include "workspace/tree_items.h"
#include "workspace/workspace_sheets.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace linkmoor;

using shots::save;
using shots::settle;
using shots::waitFor;

QTreeWidgetItem *itemAt(QTreeWidgetItem *root, const QString &path) {
  QTreeWidgetItem *item = root;
  for (const QString &segment : path.split(QLatin1Char('/'))) {
    QTreeWidgetItem *next = nullptr;
    for (int i = 0; item && i < item->childCount(); ++i)
      if (item->child(i)->text(0) == segment) next = item->child(i);
    item = next;
  }
  return item;
}

// A port on 127.0.0.1 that nothing listens on (bound, read and closed).
int unusedPort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  close(fd);
  return port;
}

// True when something listens on 127.0.0.1:`port`.
bool listening(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  const bool up = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
  close(fd);
  return up;
}

// Processes events until `done` or `seconds` pass (FTP work takes wall-clock time).
bool waitSeconds(const std::function<bool()> &done, int seconds = 60) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > seconds * 1000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

// The remote shots: the demo site below www/ of an FTP root served by pyftpdlib, and
// served over HTTP by Python's http.server as the live site.
bool remoteShots(MainDialog &main, JobThread &jobs, const QString &dir) {
  QTemporaryDir ftpRoot;
  QTemporaryDir mirror;
  const QString www = ftpRoot.path() + QStringLiteral("/www");
  if (QProcess::execute(QStringLiteral("cp"),
                        {QStringLiteral("-r"),
                         QStringLiteral(LINKMOOR_SOURCE_DIR "/resources/demo-site"), www}) != 0)
    return false;
  const int port = unusedPort();
  QProcess server;
  server.start(QStringLiteral("/usr/bin/python3"),
               {QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"),
                QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(port),
                QStringLiteral("-w"), QStringLiteral("-d"), ftpRoot.path()});
  RemoteProject project;
  project.projectName = "Demo site";
  project.downloadPath = mirror.path().toStdString();
  project.addProjectNameToDownload = 0;
  project.host = "127.0.0.1";
  project.port = port;
  project.userName = "anonymous";
  project.password = "guest";
  project.passive = 1;
  // The live site: the same pages over HTTP, so that the links are checked for real.
  const int httpPort = unusedPort();
  QProcess web;
  web.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-m"), QStringLiteral("http.server"), QStringLiteral("--bind"),
             QStringLiteral("127.0.0.1"), QStringLiteral("--directory"), www,
             QString::number(httpPort)});
  waitSeconds([&] { return listening(httpPort); }, 20);
  project.subdomainName = "localhost:" + std::to_string(httpPort);
  bool connected = false;
  waitSeconds([&] { return (connected = ftpSite().connect(ftpLoginOf(project))); }, 20);
  if (!connected) {
    std::fprintf(stderr, "pyftpdlib did not answer\n");
    return false;
  }
  CurrentRemoteProject = project;
  main.openRemoteProject();
  bool ok = waitSeconds([&] { return !jobs.isRunning(); });
  auto *sheet = dynamic_cast<SheetRemote *>(main.remoteSheet());
  if (!sheet || !sheet->mainPage()->rootItem()) return false;
  SheetRemotePgMain *page = sheet->mainPage();
  QTreeWidgetItem *root = page->rootItem();
  page->runCommand(CMD_REMOTE_RETRIEVE_ALL, root);
  ok &= waitSeconds([&] { return !jobs.isRunning(); });
  page->runCommand(CMD_REMOTE_SET_SUBDOMAIN, itemAt(root, QStringLiteral("www")));
  page->runCommand(CMD_REMOTE_COLLAPSE, itemAt(root, QStringLiteral("www/broken")));
  if (QTreeWidgetItem *guide = itemAt(root, QStringLiteral("www/docs/guide.html"))) {
    QSignalBlocker quiet(page->tree());
    page->tree()->setCurrentItem(guide);
  }
  ok &= save(&main, dir, QStringLiteral("remote-tree.png"));

  page->analyze(itemAt(root, QStringLiteral("www")), true);
  ok &= waitSeconds([&] { return !jobs.isRunning(); }, 300);
  ok &= save(&main, dir, QStringLiteral("remote-info.png"));

  sheet->showFile("www/broken/links.htm", false);
  ok &= waitSeconds([&] { return !jobs.isRunning(); }, 300);
  settle();
  ok &= save(&main, dir, QStringLiteral("remote-edit.png"));

  SiteOptionDialog options(jobs, ftpSite(), &main);
  ok &= options.begin();
  ok &= waitSeconds([&] { return !jobs.isRunning(); });
  options.show();
  settle();
  ok &= save(&options, dir, QStringLiteral("site-option.png"));
  options.hide();
  ftpSite().close();
  server.kill();
  server.waitForFinished(5000);
  web.kill();
  web.waitForFinished(5000);
  return ok;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: linkmoor-workspace-screenshots DIR\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QDir().mkpath(dir);
  QTemporaryDir scratch;
  QDir(scratch.path()).mkpath(QStringLiteral("Setting"));
  ProgramFolder::setOverride(scratch.path().toStdString());
  setHelpFolder(QStringLiteral(LINKMOOR_SOURCE_DIR "/resources/help"));
  bool ok = true;

  JobThread jobs;
  MainWindowServices services;
  const SheetFactory workspaceSheets = workspaceSheetFactory(jobs);
  SheetLocal *sheet = nullptr;
  // The local sheet is made here so that the tool keeps its own pointer to it.
  services.sheetFactory = [&](WorkspaceSheet::Kind kind, const QString &caption,
                              QWidget *parent) -> WorkspaceSheet * {
    if (kind != WorkspaceSheet::Kind::Local) return workspaceSheets(kind, caption, parent);
    sheet = new SheetLocal(caption, parent, jobs);
    return sheet;
  };
  services.localProjectDialog = [](QWidget *) {
    CurrentLocalProject.projectName = "Demo site";
    CurrentLocalProject.rootPath = LINKMOOR_SOURCE_DIR "/resources/demo-site";
    return true;
  };
  // The remote shots connect by themselves: "Remote site" then only opens the sheet.
  services.connectDialog = [](QWidget *) { return true; };
  auto main = std::make_unique<MainDialog>(jobs, services);
  main->resize(firstWindowSize());
  main->show();
  settle();
  main->openLocalProject();
  if (!sheet) {
    std::fprintf(stderr, "no local sheet\n");
    return 1;
  }
  SheetLocalPgMain *page = sheet->mainPage();
  QTreeWidgetItem *root = page->rootItem();
  for (const char *folder : {"broken", "docs", "docs/reference"})
    if (QTreeWidgetItem *item = itemAt(root, QString::fromLatin1(folder))) item->setExpanded(true);
  if (QTreeWidgetItem *guide = itemAt(root, QStringLiteral("docs/guide.html")))
    page->tree()->setCurrentItem(guide);
  ok &= save(main.get(), dir, QStringLiteral("workspace-tree.png"));

  page->analyze(root, true);
  ok &= waitFor([&] { return !jobs.isRunning(); });
  ok &= save(main.get(), dir, QStringLiteral("workspace-info.png"));
  // The smallest window: the list scrolls sideways and the header goes with it; the
  // last rows shown whole under the header.
  main->resize(500, 400);
  settle();
  ReportList *summary = sheet->infoPage()->list();
  summary->verticalScrollBar()->setValue(summary->verticalScrollBar()->maximum());
  summary->horizontalScrollBar()->setValue(summary->horizontalScrollBar()->maximum() / 2);
  ok &= save(main.get(), dir, QStringLiteral("workspace-info-narrow.png"));
  main->resize(firstWindowSize());
  settle();

  sheet->showFile("broken/links.htm", true);
  ok &= waitFor([&] { return !jobs.isRunning(); });
  ok &= save(main.get(), dir, QStringLiteral("workspace-desc.png"));

  sheet->showFile("index.html", false);
  ok &= waitFor([&] { return !jobs.isRunning(); });
  SheetLocalPgEdit *edit = sheet->editPage();
  settle();
  const int lines = edit->editor()->blockCount();
  const int shown =
      std::max(1, edit->editor()->viewport()->height() / std::max(1, edit->editor()->lineHeight()));
  edit->pane().goToLine(std::max(1, lines / 2 - shown / 2), false);
  ok &= save(main.get(), dir, QStringLiteral("workspace-edit.png"));

  ok &= remoteShots(*main, jobs, dir);

  // Closing the window would ask whether to end the open project; the sheet simply goes.
  main.reset();
  return ok ? 0 : 1;
}
