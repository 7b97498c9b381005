#pragma once
// Helpers of the workspace tests: a local sheet over a copy of the demo site, a link
// checker whose answers and timing the test controls, answering message boxes, and
// waiting for jobs while the GUI thread keeps its events going.

#include "app/job_owner.h"
#include "app/job_thread.h"
#include "engine/link_checker.h"
#include "engine/network_link_checker.h"
#include "support/gui/gui_test_helpers.h"
#include "support/temp_dir.h"
#include "workspace/sheet_local.h"

#include <QMessageBox>
#include <QRect>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>

class QTreeWidgetItem;

namespace linkmoor::test {

/// Where a test holds the link checks: the first HTTP check of an address that contains
/// `pattern` reports `reached` and waits until `release` is set.
struct CheckGate {
  std::string pattern;
  std::atomic<bool> reached{false};
  std::atomic<bool> release{false};
  std::atomic<bool> used{false};
};

/// Disk checks on the real disk; every HTTP check answers 5 (no web site) at once, as
/// the demo site's .invalid hosts do, except when `gate` holds it.
class TestLinkChecker : public LinkChecker {
public:
  explicit TestLinkChecker(CheckGate *gate) : gate_(gate) {}
  LinkStatus checkHttp(const std::string &url) override;
  LinkStatus checkDisk(const std::string &path) override { return disk_.checkDisk(path); }

private:
  CheckGate *gate_;
  NetworkLinkChecker disk_;
};

/// A window that owns a job which runs until `release` is set.
class BlockingJob : public QWidget, public JobOwner {
public:
  std::atomic<bool> started{false};
  std::atomic<bool> release{false};
  void runJob(JobCode code, JobThread &job) override;
};

/// A shown local sheet over a copy of the demo site in a temporary folder, with the
/// program's data files in another, and the test link checker.
class SheetTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  /// Full path of `relative` in the site copy.
  std::string sitePath(const std::string &relative) const { return site_.file(relative); }
  /// Waits until no job runs; false if one never ended.
  bool waitForJobs();
  /// Refills the sheet from the site copy (after files were added).
  void refreshSheet();
  /// Runs the tree page's `command` on `item`, waits for the job, and gives the Info
  /// rows as "name=size text".
  QStringList analysedRows(QTreeWidgetItem *item, int command);

  TempDir program_;
  TempDir site_;
  CheckGate gate_;
  QWidget host_;
  std::unique_ptr<JobThread> jobs_;
  SheetLocal *sheet_ = nullptr;
};

/// The child of `item` whose name has the bytes `name`, or null.
QTreeWidgetItem *childWithBytes(QTreeWidgetItem *item, const std::string &name);

} // namespace linkmoor::test

QT_BEGIN_NAMESPACE
/// Shows a QString in GoogleTest's failure messages.
inline void PrintTo(const QString &text, std::ostream *os) {
  *os << '"' << text.toStdString() << '"';
}
/// Shows a QStringList in GoogleTest's failure messages.
inline void PrintTo(const QStringList &list, std::ostream *os) {
  *os << '{';
  for (const QString &text : list)
    *os << '"' << text.toStdString() << "\" ";
  *os << '}';
}
/// Shows a QRect in GoogleTest's failure messages.
inline void PrintTo(const QRect &r, std::ostream *os) {
  *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}
QT_END_NAMESPACE
