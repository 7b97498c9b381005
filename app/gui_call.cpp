#include "app/gui_call.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace linkmoor {

bool onGuiThread() {
  QCoreApplication *app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}

void guiCall(const std::function<void()> &fn) {
  if (onGuiThread()) {
    fn();
    return;
  }
  // A blocking queued call from the GUI thread itself would wait forever, hence the
  // test above; from any other thread it waits until the GUI thread has run `fn`.
  QMetaObject::invokeMethod(QCoreApplication::instance(), fn, Qt::BlockingQueuedConnection);
}

} // namespace linkmoor
