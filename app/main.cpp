// Linkmoor, the windowed program.
#include "app/application.h"
#include "platform/http_check.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Linkmoor"));
  return linkmoor::Application::run(app, linkmoor::initNetwork);
}
