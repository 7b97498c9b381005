#pragma once
// The progress strip: a small borderless window kept centred over the window that owns
// the running job. It draws two lines of text (blue action, red item) and offers
// "Stop" and "Skip". It lives on the GUI thread; the worker reaches it through
// JobThread, which goes through `guiCall`.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <atomic>

namespace linkmoor {

class PictureButton;

/// The progress strip window with its request flags.
class ProgressPanel : public QWidget {
  Q_OBJECT
public:
  /// A hidden, topmost panel over `parent`, 228 by 25 dialog units.
  explicit ProgressPanel(QWidget *parent = nullptr);

  /// The panel's size in pixels for the application font.
  static QSize panelSize();

  /// "Stop" button.
  PictureButton *stopButton() const { return stop_; }
  /// "Skip" button.
  PictureButton *skipButton() const { return skip_; }

  /// Both buttons enabled; "Stop" shown if `showStop`, "Skip" only if both are set.
  void prepareButtons(bool showStop, bool showSkip);
  /// Sets both lines and repaints at once.
  void setLines(const QString &line1, const QString &line2);
  /// Upper (blue) line.
  QString line1() const { return line1_; }
  /// Lower (red) line.
  QString line2() const { return line2_; }
  /// The area the texts are drawn in (client coordinates).
  QRect textArea() const;

  /// A job is running (set at begin, cleared at end of a job).
  bool running() const { return running_; }
  /// The user pressed "Stop" during this job (set again at the end of each job).
  bool stopRequested() const { return stopRequested_; }
  /// "Skip" (or "Stop") was pressed and the operation has not yet taken the request.
  bool skipRequested() const { return skipRequested_; }
  /// Sets the three flags at once (used at the begin and end of a job).
  void setFlags(bool running, bool stopRequested, bool skipRequested);
  /// Returns the skip request and clears it; safe on any thread. Does not touch widgets.
  bool exchangeSkip() { return skipRequested_.exchange(false); }

  /// Makes the panel a child of `window` for the running job (a modal dialog blocks
  /// input to every other window) until that window hides or `returnHome` is called;
  /// then the panel goes back to `home`, so that it never dies with a job's owner.
  void attachTo(QWidget *window, QWidget *home);
  /// Hidden, back under the home window given to `attachTo`.
  void returnHome();

  /// The "Stop" button's handler: both requests set, both buttons disabled.
  void pressStop();
  /// The "Skip" button's handler: the skip request set, "Skip" disabled.
  void pressSkip();

protected:
  /// Draws the two framed text lines.
  void paintEvent(QPaintEvent *event) override;
  /// Enter and Escape do nothing.
  void keyPressEvent(QKeyEvent *event) override;
  /// The owner's window hiding (closed, ended, being destroyed) sends the panel home.
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  PictureButton *stop_;
  PictureButton *skip_;
  QPointer<QWidget> watched_;
  QPointer<QWidget> home_;
  QString line1_;
  QString line2_;
  std::atomic<bool> running_{false};
  std::atomic<bool> stopRequested_{false};
  std::atomic<bool> skipRequested_{false};
};

} // namespace linkmoor
