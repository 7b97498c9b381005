// Linkmoor, the windowed program. This is where the program is composed: the main
// window is handed the makers of its sheets and dialogs, so the main window's layer
// never reaches into the workspace and the markup label that build on it.
#include "app/application.h"
#include "app/connect_dialog.h"
#include "app/first_start.h"
#include "app/job_thread.h"
#include "app/main_dialog.h"
#include "app/main_window_services.h"
#include "app/site_option_dialog.h"
#include "markup/about_dialog.h"
#include "platform/ftp_site.h"
#include "platform/http_check.h"
#include "workspace/sheet_option.h"
#include "workspace/workspace_sheets.h"

#include <QApplication>

namespace {

linkmoor::MainWindowServices programServices() {
  using namespace linkmoor;
  MainWindowServices services = MainWindowServices::basic();
  services.sheetFactory = workspaceSheetFactory(jobThread());
  services.connectDialog = [](QWidget *owner) { return runConnectDialog(owner); };
  services.siteOption = [](QWidget *owner) { runSiteOptionDialog(owner, jobThread(), ftpSite()); };
  // "Reconnect" connects again at once; the question is for jobs that find the line down.
  services.reconnect = [](JobThread &) { ftpSite().reconnect(); };
  services.generalOptions = [](QWidget *owner) {
    SheetOption sheet(owner);
    sheet.exec();
  };
  services.about = [](QWidget *owner) {
    AboutDialog about(MainDialog::homePage(), owner);
    about.exec();
  };
  return services;
}

} // namespace

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Linkmoor"));
  // A program folder copied elsewhere keeps a working demo project.
  linkmoor::repairDemoProjects();
  const int result = linkmoor::Application::run(app, linkmoor::initNetwork, programServices());
  linkmoor::ftpSite().close();
  return result;
}
