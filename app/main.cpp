// Linkmoor, the windowed program. This is where the program is composed: the main
// window is handed the makers of its sheets and dialogs, so the main window's layer
// never reaches into the workspace that builds on it.
#include "app/application.h"
#include "app/job_thread.h"
#include "app/main_window_services.h"
#include "platform/http_check.h"
#include "workspace/workspace_sheets.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Linkmoor"));
  linkmoor::MainWindowServices services = linkmoor::MainWindowServices::basic();
  services.sheetFactory = linkmoor::workspaceSheetFactory(linkmoor::jobThread());
  return linkmoor::Application::run(app, linkmoor::initNetwork, std::move(services));
}
