#include "app/gui_call.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <cstdio>
#include <cstdlib>

// ThreadSanitizer cannot see the hand-over inside Qt's blocking queued call (Qt's own
// code is not instrumented): tell it that the caller's writes happen before `fn` runs
// and that `fn`'s writes happen before the caller goes on.
#if defined(__SANITIZE_THREAD__)
#define LINKMOOR_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define LINKMOOR_TSAN 1
#endif
#endif
#ifdef LINKMOOR_TSAN
#include <sanitizer/tsan_interface.h>
#define LINKMOOR_HAPPENS_BEFORE(token) __tsan_release(token)
#define LINKMOOR_HAPPENS_AFTER(token) __tsan_acquire(token)
#else
#define LINKMOOR_HAPPENS_BEFORE(token) (void)(token)
#define LINKMOOR_HAPPENS_AFTER(token) (void)(token)
#endif

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
  int handOver = 0;
  LINKMOOR_HAPPENS_BEFORE(&handOver);
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [&] {
        LINKMOOR_HAPPENS_AFTER(&handOver);
        fn();
        LINKMOOR_HAPPENS_BEFORE(&handOver);
      },
      Qt::BlockingQueuedConnection);
  LINKMOOR_HAPPENS_AFTER(&handOver);
}

#ifndef NDEBUG
void assertGuiThread(const char *where) {
  if (onGuiThread()) return;
  std::fprintf(stderr, "%s: a widget was touched off the GUI thread\n", where);
  std::abort();
}
#endif

} // namespace linkmoor
