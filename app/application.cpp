#include "app/application.h"

#include "app/job_thread.h"
#include "app/main_dialog.h"
#include "app/message_box.h"

#include <QApplication>
#include <memory>
#include <utility>

namespace linkmoor {

int Application::run(QApplication &app, const std::function<bool()> &startNetwork,
                     MainWindowServices services) {
  if (!startNetwork || !startNetwork()) {
    showMessage(nullptr, QStringLiteral("Windows sockets initialization failed."));
    return 1;
  }
  app.setQuitOnLastWindowClosed(false);
  auto window = std::make_unique<MainDialog>(jobThread(), std::move(services));
  QObject::connect(window.get(), &MainDialog::closed, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  window->showAsPlaced();
  const int result = app.exec();
  window.reset();
  return result;
}

} // namespace linkmoor
