#include "app/gui_call.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>

// The hand-over between the worker and the GUI thread goes through Qt's event queue,
// whose locking ThreadSanitizer cannot see (Qt is not built with it): the event is
// published with an explicit release and taken with an acquire, and the worker waits on
// a standard condition variable, which the sanitizer understands.
#if defined(__SANITIZE_THREAD__)
#define LINKMOOR_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define LINKMOOR_TSAN 1
#endif
#endif
#ifdef LINKMOOR_TSAN
#include <sanitizer/tsan_interface.h>
#define LINKMOOR_PUBLISH(address) __tsan_release(address)
#define LINKMOOR_TAKE(address) __tsan_acquire(address)
#else
#define LINKMOOR_PUBLISH(address) (void)(address)
#define LINKMOOR_TAKE(address) (void)(address)
#endif

namespace linkmoor {

namespace {

// What the waiting worker and the GUI thread share for one call.
struct CallState {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
};

// One call posted to the GUI thread. It tells the worker to go on when it is destroyed,
// whether it ran or was dropped because its receiver went away first.
class GuiCallEvent : public QEvent {
public:
  GuiCallEvent(const std::function<void()> &fn, CallState &state)
      : QEvent(eventType()), fn_(fn), state_(state) {}
  ~GuiCallEvent() override {
    LINKMOOR_TAKE(this);
    std::lock_guard lock(state_.mutex);
    state_.done = true;
    state_.finished.notify_one();
  }
  GuiCallEvent(const GuiCallEvent &) = delete;
  GuiCallEvent &operator=(const GuiCallEvent &) = delete;

  static QEvent::Type eventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }
  void run() {
    LINKMOOR_TAKE(this);
    fn_();
  }

private:
  const std::function<void()> &fn_;
  CallState &state_;
};

// Runs the posted calls; lives on the GUI thread.
class GuiCallReceiver : public QObject {
public:
  bool event(QEvent *event) override {
    // Taken before the event is even looked at: its type was written by the worker too.
    LINKMOOR_TAKE(event);
    if (event->type() != GuiCallEvent::eventType()) return QObject::event(event);
    static_cast<GuiCallEvent *>(event)->run();
    return true;
  }
};

QObject *guiCallReceiver() {
  static QObject *receiver = [] {
    auto *made = new GuiCallReceiver;
    made->moveToThread(QCoreApplication::instance()->thread());
    return made;
  }();
  return receiver;
}

} // namespace

bool onGuiThread() {
  QCoreApplication *app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}

void guiCall(const std::function<void()> &fn) {
  if (onGuiThread()) {
    fn();
    return;
  }
  // Waiting for the GUI thread from the GUI thread itself would never end, hence the
  // test above; from any other thread the call waits until the GUI thread has run `fn`.
  CallState state;
  auto *event = new GuiCallEvent(fn, state);
  LINKMOOR_PUBLISH(event);
  QCoreApplication::postEvent(guiCallReceiver(), event);
  std::unique_lock lock(state.mutex);
  state.finished.wait(lock, [&] { return state.done; });
}

#ifndef NDEBUG
void assertGuiThread(const char *where) {
  if (onGuiThread()) return;
  std::fprintf(stderr, "%s: a widget was touched off the GUI thread\n", where);
  std::abort();
}
#endif

} // namespace linkmoor
