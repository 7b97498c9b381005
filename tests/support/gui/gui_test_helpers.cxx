#include "support/gui/gui_test_helpers.h"

#include <QAbstractButton>
#include <QApplication>

namespace linkmoor::test {

MessageAnswers::MessageAnswers() {
  timer_.setInterval(5);
  connect(&timer_, &QTimer::timeout, this, &MessageAnswers::poll);
  timer_.start();
}

MessageAnswers &MessageAnswers::then(QMessageBox::StandardButton button) {
  answers_.push_back(button);
  return *this;
}

void MessageAnswers::poll() {
  auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
  if (!box || !box->isVisible()) return;
  texts_.append(box->text());
  QAbstractButton *button = nullptr;
  if (!answers_.empty()) {
    button = box->button(answers_.front());
    answers_.pop_front();
  }
  if (!button) button = box->escapeButton();
  if (!button && !box->buttons().isEmpty()) button = box->buttons().first();
  if (button) button->click();
}

bool waitUntil(const std::function<bool()> &done) {
  for (long round = 0; round < 400000; ++round) {
    if (done()) return true;
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return done();
}

void settle() {
  for (int i = 0; i < 5; ++i)
    QApplication::processEvents();
}

} // namespace linkmoor::test
