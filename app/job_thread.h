#pragma once
// The job runner: one job at a time on one worker thread, with the progress strip
// centred over the job's owner. Windows start jobs with `startJob`; the worker calls
// the owner's `JobOwner::runJob`, which polls `stopRequested` / `takeSkip` and shows its
// progress with `setStatusText` / `setItemText`. Every widget call the runner makes from
// the worker goes through `guiCall`; the GUI thread never waits for the worker.

#include "app/job_code.h"
#include "app/progress_panel.h"
#include "engine/job_control.h"

#include <QPointer>
#include <QString>
#include <atomic>
#include <string>
#include <thread>

class QWidget;

namespace linkmoor {

/// One worker thread, one job at a time.
class JobThread : public JobControl {
public:
  JobThread() = default;
  /// Waits for a worker that has finished its job but not yet returned.
  ~JobThread() override;
  JobThread(const JobThread &) = delete;
  JobThread &operator=(const JobThread &) = delete;

  /// Creates the hidden, topmost progress strip with `mainWindow` as its parent. Once.
  void setOwner(QWidget *mainWindow);
  /// The progress strip (null before `setOwner` and after `destroyPanelWindow`).
  ProgressPanel *panel() const { return panel_; }

  /// Starts job `code` for `owner` (a widget that also is a `JobOwner`; other widgets and
  /// unknown codes run nothing). False, and nothing else, while a job runs. GUI thread.
  bool startJob(QWidget *owner, JobCode code);
  /// True from an accepted `startJob` until the worker has ended the job, so that the
  /// gap before the worker's begin is closed against a second start and against closing.
  bool isRunning() const { return busy_; }

  /// True when the running (or just accepted) job was started by `owner`. GUI thread.
  bool isOwnedBy(const QWidget *owner) const { return busy_ && startedBy_.data() == owner; }

  /// True once the user pressed "Stop" during this job. Any thread.
  bool stopRequested() override;
  /// The skip request, cleared; "Skip" is enabled again unless "Stop" was pressed.
  bool takeSkip() override;
  /// Line 1 becomes `text`, line 2 "Please wait ..."; repainted at once. Any thread.
  void setStatusText(const QString &text);
  /// Line 1 becomes `action`, line 2 the shortened `item` (progress_layout.h). Any thread.
  void setItemText(const std::string &action, const std::string &item, bool cutQuery) override;

  /// Centres the strip over the running job's owner again and shows it; nothing
  /// without a running job. Any thread.
  void repositionPanel();
  /// The strip if it is visible, else the application's main window (`setOwner`).
  QWidget *messageOwner() const;
  /// Destroys the strip's window (the main window does so when it closes).
  void destroyPanelWindow();

private:
  void dispatch(QWidget *owner, JobCode code);
  void beginJob(QWidget *owner, bool showStop, bool showSkip);
  void endJob();
  void placePanel();
  void showLines(const QString &line1, const QString &line2);

  std::atomic<bool> busy_{false};
  std::thread worker_;
  QPointer<ProgressPanel> panel_;
  QPointer<QWidget> mainWindow_;
  QPointer<QWidget> owner_;
  QPointer<QWidget> startedBy_;
};

/// The program's job runner.
JobThread &jobThread();

} // namespace linkmoor
