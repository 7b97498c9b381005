// Linkmoor, the windowed program.
#include "app/application.h"
#include "platform/http_check.h"
#include "workspace/workspace_sheets.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Linkmoor"));
  linkmoor::installWorkspaceSheets();
  return linkmoor::Application::run(app, linkmoor::initNetwork);
}
