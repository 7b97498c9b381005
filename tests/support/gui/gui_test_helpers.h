#pragma once
// Helpers of the widget tests: answering message boxes, and waiting for the worker
// thread while the GUI thread keeps its events going.

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

namespace linkmoor::test {

/// Answers the message boxes that open, in order: each is recorded with its text and the
/// queued button is clicked. Boxes beyond the queue are answered with their escape button.
class MessageAnswers : public QObject {
public:
  MessageAnswers();
  /// Queues the answer for the next box.
  MessageAnswers &then(QMessageBox::StandardButton button);
  /// The texts of the boxes answered so far.
  const QStringList &texts() const { return texts_; }

private:
  void poll();

  QTimer timer_;
  std::deque<QMessageBox::StandardButton> answers_;
  QStringList texts_;
};

/// Processes events until `done` is true; false if it never became true (a safety cap of
/// many rounds, not a timing measure).
bool waitUntil(const std::function<bool()> &done);

/// Processes pending events a few times.
void settle();

} // namespace linkmoor::test
