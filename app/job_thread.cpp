#include "app/job_thread.h"

#include "app/gui_call.h"
#include "app/job_owner.h"
#include "app/picture_button.h"
#include "app/progress_layout.h"
#include "app/progress_panel.h"

#include <QApplication>
#include <QWidget>

namespace linkmoor {

namespace {

QRect screenRectOf(const QWidget *w) {
  if (w->isWindow()) return w->frameGeometry();
  return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

} // namespace

JobThread::~JobThread() {
  if (worker_.joinable()) worker_.join();
}

JobThread &jobThread() {
  static JobThread runner;
  return runner;
}

void JobThread::setOwner(QWidget *mainWindow) {
  mainWindow_ = mainWindow;
  if (panel_) return;
  panel_ = new ProgressPanel(mainWindow);
}

bool JobThread::startJob(QWidget *owner, JobCode code) {
  bool idle = false;
  if (!busy_.compare_exchange_strong(idle, true)) return false;
  // A previous worker has ended its job (busy_ was clear): it is only returning, so
  // joining it here cannot wait on anything the GUI thread has to do.
  if (worker_.joinable()) worker_.join();
  QPointer<QWidget> guarded(owner);
  startedBy_ = owner;
  worker_ = std::thread([this, guarded, code] { dispatch(guarded.data(), code); });
  return true;
}

void JobThread::dispatch(QWidget *owner, JobCode code) {
  const JobButtons buttons = jobButtons(code);
  if (buttons.known) {
    beginJob(owner, buttons.stop, buttons.skip);
    if (auto *operation = dynamic_cast<JobOwner *>(owner)) {
      // An escaping exception would end the program from this thread; the job just ends.
      try {
        operation->runJob(code, *this);
      } catch (...) {
      }
    }
    endJob();
  }
  busy_ = false;
}

void JobThread::beginJob(QWidget *owner, bool showStop, bool showSkip) {
  guiCall([&] {
    owner_ = owner;
    if (!panel_) return;
    // The strip must belong to the owner's window: a modal dialog that owns a job
    // blocks input to every other window, the strip's buttons included. It goes back
    // to the main window when the job ends or that window hides, so it never dies
    // with the owner.
    QWidget *window = owner ? owner->window() : mainWindow_.data();
    panel_->attachTo(window, mainWindow_.data());
    panel_->prepareButtons(showStop, showSkip);
    panel_->setFlags(true, false, false);
    panel_->setLines(QString(), QString());
    placePanel();
    panel_->show();
    panel_->raise();
    panel_->repaint();
    panel_->setLines(QString(), QStringLiteral("Please wait ... "));
    panel_->raise();
  });
}

void JobThread::endJob() {
  guiCall([&] {
    owner_ = nullptr;
    if (!panel_) return;
    panel_->setFlags(false, true, true);
    panel_->returnHome();
  });
}

bool JobThread::stopRequested() { return panel_ && panel_->stopRequested(); }

bool JobThread::takeSkip() {
  ProgressPanel *panel = panel_;
  if (!panel) return false;
  const bool skip = panel->exchangeSkip();
  // Only a taken request changes what the button shows; otherwise no GUI call is needed.
  if (skip)
    guiCall([&] {
      if (panel_ && !panel_->stopRequested()) panel_->skipButton()->setEnabled(true);
    });
  return skip;
}

void JobThread::setStatusText(const QString &text) {
  showLines(text, QStringLiteral("Please wait ..."));
}

void JobThread::setItemText(const std::string &action, const std::string &item, bool cutQuery) {
  showLines(QString::fromStdString(action),
            QString::fromStdString(shortenItemText(item, cutQuery)));
}

void JobThread::showLines(const QString &line1, const QString &line2) {
  guiCall([&] {
    if (panel_) panel_->setLines(line1, line2);
  });
}

void JobThread::placePanel() {
  if (!panel_) return;
  QWidget *owner = owner_ ? owner_.data() : mainWindow_.data();
  if (!owner) return;
  panel_->move(centredOver(screenRectOf(owner), panel_->size()));
}

void JobThread::repositionPanel() {
  guiCall([&] {
    if (!panel_ || !panel_->running()) return;
    placePanel();
    panel_->show();
  });
}

QWidget *JobThread::messageOwner() const {
  if (panel_ && panel_->isVisible()) return panel_;
  return mainWindow_;
}

void JobThread::destroyPanelWindow() {
  guiCall([&] {
    delete panel_.data();
    panel_ = nullptr;
  });
}

} // namespace linkmoor
