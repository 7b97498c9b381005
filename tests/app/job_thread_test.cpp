// The job runner: one job at a time, the progress strip's buttons, flags and texts,
// its place over the owner, and the worker's calls into the GUI thread.
#include "app/gui_call.h"
#include "app/job_owner.h"
#include "app/job_thread.h"
#include "app/picture_button.h"
#include "app/progress_panel.h"
#include "app_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QThread>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>

namespace linkmoor {
namespace {

using test::waitUntil;

// An owner whose operation runs a step given by the test, then waits to be released.
class ScriptedOwner : public QWidget, public JobOwner {
public:
  std::function<void(JobCode, JobThread &)> step;
  std::atomic<bool> started{false};
  std::atomic<bool> release{false};
  std::atomic<int> runs{0};
  void runJob(JobCode code, JobThread &job) override {
    ++runs;
    if (step) step(code, job);
    started = true;
    while (!release)
      QThread::yieldCurrentThread();
  }
};

class JobThreadTest : public ::testing::Test {
protected:
  void SetUp() override {
    main_.setGeometry(100, 100, 700, 500);
    main_.show();
    jobs_.setOwner(&main_);
    owner_.setGeometry(40, 60, 601, 401);
  }
  void TearDown() override {
    owner_.release = true;
    waitUntil([&] { return !jobs_.isRunning(); });
  }
  void start(JobCode code) {
    ASSERT_TRUE(jobs_.startJob(&owner_, code));
    ASSERT_TRUE(waitUntil([&] { return owner_.started.load(); }));
  }
  void finish() {
    owner_.release = true;
    ASSERT_TRUE(waitUntil([&] { return !jobs_.isRunning(); }));
  }
  ProgressPanel *panel() { return jobs_.panel(); }

  QWidget main_;
  JobThread jobs_;
  ScriptedOwner owner_;
};

TEST_F(JobThreadTest, PanelIsHiddenAndTopmostBeforeAnyJob) {
  ASSERT_NE(panel(), nullptr);
  EXPECT_FALSE(panel()->isVisible());
  EXPECT_TRUE(panel()->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(panel()->parentWidget(), &main_);
  EXPECT_FALSE(jobs_.isRunning());
}

TEST_F(JobThreadTest, OnlyOneJobAtATime) {
  ASSERT_TRUE(jobs_.startJob(&owner_, JOB_LOCAL_ANALYZE));
  // Refused at once, before the worker has begun the first job.
  EXPECT_TRUE(jobs_.isRunning());
  EXPECT_FALSE(jobs_.startJob(&owner_, JOB_LOCAL_SAVE));
  ASSERT_TRUE(waitUntil([&] { return owner_.started.load(); }));
  EXPECT_FALSE(jobs_.startJob(&owner_, JOB_LOCAL_SAVE));
  finish();
  EXPECT_EQ(owner_.runs, 1);
  owner_.release = false;
  owner_.started = false;
  start(JOB_LOCAL_SAVE);
  EXPECT_EQ(owner_.runs, 2);
  finish();
}

TEST_F(JobThreadTest, FileByFileJobShowsStopAndSkip) {
  start(JOB_LOCAL_ANALYZE);
  EXPECT_TRUE(panel()->isVisible());
  EXPECT_TRUE(panel()->running());
  EXPECT_TRUE(panel()->stopButton()->isVisibleTo(panel()));
  EXPECT_TRUE(panel()->skipButton()->isVisibleTo(panel()));
  EXPECT_EQ(panel()->line1(), QString());
  EXPECT_EQ(panel()->line2(), QStringLiteral("Please wait ... "));
  finish();
  EXPECT_FALSE(panel()->isVisible());
  EXPECT_FALSE(panel()->running());
  EXPECT_TRUE(panel()->stopRequested());
  EXPECT_TRUE(panel()->skipRequested());
}

TEST_F(JobThreadTest, ButtonRulesOfTheJobTable) {
  struct Case {
    JobCode code;
    bool stop, skip;
  };
  for (Case c : {Case{JOB_CHECK_SITE, false, false}, Case{JOB_REMOTE_RETRIEVE_ROOT, false, false},
                 Case{JOB_REMOTE_RETRIEVE_FOLDER, false, false}, Case{JOB_CONNECT, true, false},
                 Case{JOB_LOCAL_SHOW_FILE, true, false}, Case{JOB_REMOTE_ANALYZE, true, true}}) {
    owner_.started = false;
    owner_.release = false;
    start(c.code);
    EXPECT_EQ(panel()->stopButton()->isVisibleTo(panel()), c.stop) << c.code;
    EXPECT_EQ(panel()->skipButton()->isVisibleTo(panel()), c.skip) << c.code;
    finish();
  }
}

TEST_F(JobThreadTest, SkipIsDisabledUntilTheOperationTakesIt) {
  std::atomic<bool> took{false}, takeNow{false};
  owner_.step = [&](JobCode, JobThread &job) {
    while (!takeNow)
      QThread::yieldCurrentThread();
    took = job.takeSkip();
  };
  ASSERT_TRUE(jobs_.startJob(&owner_, JOB_LOCAL_ANALYZE));
  ASSERT_TRUE(waitUntil([&] { return panel()->isVisible(); }));
  QTest::mouseClick(panel()->skipButton(), Qt::LeftButton);
  EXPECT_TRUE(panel()->skipRequested());
  EXPECT_FALSE(panel()->skipButton()->isEnabled());
  EXPECT_TRUE(panel()->stopButton()->isEnabled());
  EXPECT_FALSE(jobs_.stopRequested());
  takeNow = true;
  ASSERT_TRUE(waitUntil([&] { return owner_.started.load(); }));
  EXPECT_TRUE(took);
  EXPECT_FALSE(panel()->skipRequested());
  EXPECT_TRUE(panel()->skipButton()->isEnabled());
  finish();
}

TEST_F(JobThreadTest, StopDisablesBothForTheRestOfTheJob) {
  std::atomic<bool> go{false}, stopSeen{false}, skipTaken{false};
  owner_.step = [&](JobCode, JobThread &job) {
    while (!go)
      QThread::yieldCurrentThread();
    stopSeen = job.stopRequested();
    skipTaken = job.takeSkip();
  };
  ASSERT_TRUE(jobs_.startJob(&owner_, JOB_LOCAL_SAVE));
  ASSERT_TRUE(waitUntil([&] { return panel()->isVisible(); }));
  QTest::mouseClick(panel()->stopButton(), Qt::LeftButton);
  EXPECT_FALSE(panel()->stopButton()->isEnabled());
  EXPECT_FALSE(panel()->skipButton()->isEnabled());
  go = true;
  ASSERT_TRUE(waitUntil([&] { return owner_.started.load(); }));
  EXPECT_TRUE(stopSeen);
  EXPECT_TRUE(skipTaken);
  EXPECT_FALSE(panel()->skipButton()->isEnabled());
  finish();
}

TEST_F(JobThreadTest, TextsAreShownAndShortened) {
  std::atomic<int> stage{0};
  owner_.step = [&](JobCode, JobThread &job) {
    job.setItemText("Checking", std::string(45, 'f'), false);
    stage = 1;
    while (stage != 2)
      QThread::yieldCurrentThread();
    job.setItemText("Link", "0123456789abc?x=1", true);
    stage = 3;
    while (stage != 4)
      QThread::yieldCurrentThread();
    job.setStatusText(QStringLiteral("Connecting"));
  };
  ASSERT_TRUE(jobs_.startJob(&owner_, JOB_LOCAL_ANALYZE));
  ASSERT_TRUE(waitUntil([&] { return stage == 1; }));
  EXPECT_EQ(panel()->line1(), QStringLiteral("Checking"));
  EXPECT_EQ(panel()->line2(), QString(36, QLatin1Char('f')) + QStringLiteral(" ..."));
  stage = 2;
  ASSERT_TRUE(waitUntil([&] { return stage == 3; }));
  EXPECT_EQ(panel()->line2(), QStringLiteral("0123456789abc"));
  stage = 4;
  ASSERT_TRUE(waitUntil([&] { return owner_.started.load(); }));
  EXPECT_EQ(panel()->line1(), QStringLiteral("Connecting"));
  EXPECT_EQ(panel()->line2(), QStringLiteral("Please wait ..."));
  finish();
}

TEST_F(JobThreadTest, PanelStaysCentredOverItsOwner) {
  start(JOB_LOCAL_ANALYZE);
  auto centreOf = [](const QRect &r) { return r.center(); };
  const QRect owner = owner_.frameGeometry();
  EXPECT_LE((centreOf(panel()->geometry()) - centreOf(owner)).manhattanLength(), 2);
  owner_.move(300, 200);
  jobs_.repositionPanel();
  EXPECT_LE((centreOf(panel()->geometry()) - centreOf(owner_.frameGeometry())).manhattanLength(),
            2);
  finish();
  const QPoint before = panel()->pos();
  owner_.move(10, 10);
  jobs_.repositionPanel(); // no job: nothing happens
  EXPECT_EQ(panel()->pos(), before);
  EXPECT_FALSE(panel()->isVisible());
}

TEST_F(JobThreadTest, EnterAndEscapeOnThePanelDoNothing) {
  start(JOB_LOCAL_ANALYZE);
  QTest::keyClick(panel(), Qt::Key_Return);
  QTest::keyClick(panel(), Qt::Key_Escape);
  QTest::keyClick(panel(), Qt::Key_Enter);
  EXPECT_TRUE(panel()->isVisible());
  EXPECT_FALSE(panel()->stopRequested());
  EXPECT_FALSE(panel()->skipRequested());
  finish();
}

TEST_F(JobThreadTest, MessageOwnerIsThePanelWhileShown) {
  EXPECT_EQ(jobs_.messageOwner(), &main_);
  start(JOB_LOCAL_ANALYZE);
  EXPECT_EQ(jobs_.messageOwner(), panel());
  finish();
  EXPECT_EQ(jobs_.messageOwner(), &main_);
}

TEST_F(JobThreadTest, UnknownCodeRunsNothing) {
  ASSERT_TRUE(jobs_.startJob(&owner_, static_cast<JobCode>(77)));
  ASSERT_TRUE(waitUntil([&] { return !jobs_.isRunning(); }));
  EXPECT_EQ(owner_.runs, 0);
  EXPECT_FALSE(panel()->isVisible());
}

TEST_F(JobThreadTest, OperationWritesIntoItsControlsThroughGuiCall) {
  QLabel label(&owner_);
  std::atomic<bool> ranOnGuiThread{false};
  owner_.step = [&](JobCode, JobThread &) {
    guiCall([&] {
      ranOnGuiThread = QThread::currentThread() == QApplication::instance()->thread();
      label.setText(QStringLiteral("3 files"));
    });
  };
  start(JOB_LOCAL_ANALYZE);
  EXPECT_TRUE(ranOnGuiThread);
  EXPECT_EQ(label.text(), QStringLiteral("3 files"));
  finish();
}

TEST_F(JobThreadTest, PanelMovesToAModalOwnersWindow) {
  QWidget dialog(nullptr, Qt::Dialog);
  dialog.setGeometry(200, 200, 300, 200);
  dialog.show();
  ScriptedOwner inner;
  inner.setParent(&dialog);
  inner.release = false;
  ASSERT_TRUE(jobs_.startJob(&inner, JOB_CONNECT));
  ASSERT_TRUE(waitUntil([&] { return inner.started.load(); }));
  EXPECT_EQ(panel()->parentWidget(), &dialog);
  inner.release = true;
  ASSERT_TRUE(waitUntil([&] { return !jobs_.isRunning(); }));
  inner.setParent(nullptr);
}

TEST_F(JobThreadTest, FailingOperationStillEndsTheJob) {
  owner_.step = [](JobCode, JobThread &) { throw std::runtime_error("lost"); };
  ASSERT_TRUE(jobs_.startJob(&owner_, JOB_LOCAL_ANALYZE));
  ASSERT_TRUE(waitUntil([&] { return !jobs_.isRunning(); }));
  EXPECT_FALSE(panel()->isVisible());
  EXPECT_FALSE(panel()->running());
}

TEST_F(JobThreadTest, DestroyedPanelLeavesJobsHarmless) {
  jobs_.destroyPanelWindow();
  EXPECT_EQ(panel(), nullptr);
  start(JOB_LOCAL_ANALYZE);
  EXPECT_FALSE(jobs_.stopRequested());
  EXPECT_FALSE(jobs_.takeSkip());
  finish();
}

} // namespace
} // namespace linkmoor

namespace linkmoor {
namespace {

TEST_F(JobThreadTest, StripOutlivesADialogThatRanAJobAndWasClosed) {
  {
    auto *dialog = new QWidget(nullptr, Qt::Dialog);
    dialog->setGeometry(200, 200, 300, 200);
    dialog->show();
    auto *inner = new ScriptedOwner;
    inner->setParent(dialog);
    ASSERT_TRUE(jobs_.startJob(inner, JOB_CONNECT));
    ASSERT_TRUE(waitUntil([&] { return inner->started.load(); }));
    ASSERT_EQ(panel()->parentWidget(), dialog);
    inner->release = true;
    ASSERT_TRUE(waitUntil([&] { return !jobs_.isRunning(); }));
    delete dialog;
  }
  ASSERT_NE(panel(), nullptr);
  EXPECT_EQ(panel()->parentWidget(), &main_);
  start(JOB_LOCAL_ANALYZE);
  EXPECT_TRUE(panel()->isVisible());
  EXPECT_TRUE(panel()->stopButton()->isVisibleTo(panel()));
  EXPECT_TRUE(panel()->skipButton()->isVisibleTo(panel()));
  finish();
}

// Ends (destroys) its own window from the job and touches nothing of itself after.
class SelfEndingOwner : public QWidget, public JobOwner {
public:
  void runJob(JobCode, JobThread &) override {
    QWidget *window = this->window();
    guiCall([window] { delete window; });
  }
};

TEST_F(JobThreadTest, StripGoesHomeWhenItsOwnersWindowEndsDuringTheJob) {
  // An owner that ends its own dialog from the job (as the connect job does on
  // success): the dialog goes before the job has ended.
  auto *dialog = new QWidget(nullptr, Qt::Dialog);
  dialog->setGeometry(200, 200, 300, 200);
  dialog->show();
  auto *inner = new SelfEndingOwner;
  inner->setParent(dialog);
  ASSERT_TRUE(jobs_.startJob(inner, JOB_CONNECT));
  ASSERT_TRUE(waitUntil([&] { return !jobs_.isRunning(); }));
  ASSERT_NE(panel(), nullptr);
  EXPECT_EQ(panel()->parentWidget(), &main_);
  EXPECT_FALSE(panel()->isVisible());
  start(JOB_REMOTE_ANALYZE);
  EXPECT_TRUE(panel()->isVisible());
  EXPECT_TRUE(panel()->skipButton()->isVisibleTo(panel()));
  finish();
}

} // namespace
} // namespace linkmoor
