#include "workspace_test_support.h"

#include "app/general_options.h"
#include "app/help_topic.h"
#include "storage/current_projects.h"
#include "storage/program_folder.h"
#include "workspace/report_list.h"
#include "workspace/sheet_local_pg_main.h"
#include "workspace/summary_page.h"
#include "workspace/tree_items.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTreeWidgetItem>
#include <chrono>
#include <filesystem>
#include <thread>

namespace linkmoor::test {

LinkStatus TestLinkChecker::checkHttp(const std::string &url) {
  if (gate_ && !gate_->pattern.empty() && url.find(gate_->pattern) != std::string::npos &&
      !gate_->used.exchange(true)) {
    gate_->reached = true;
    for (int i = 0; i < 30000 && !gate_->release; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return LinkStatus::NoWebSite;
}

void BlockingJob::runJob(JobCode, JobThread &) {
  started = true;
  for (int i = 0; i < 60000 && !release; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void SheetTest::SetUp() {
  std::filesystem::create_directories(program_.path() + "/Setting");
  ProgramFolder::setOverride(program_.path());
  setHelpFolder(QStringLiteral(LINKMOOR_SOURCE_DIR "/resources/help"));
  std::filesystem::copy(LINKMOOR_SOURCE_DIR "/resources/demo-site", site_.path(),
                        std::filesystem::copy_options::recursive);
  CurrentLocalProject.projectName = "Demo site";
  CurrentLocalProject.rootPath = site_.path();
  // Saved pages keep LF line ends unless a test chooses "Windows".
  generalOptions().lineEnding = 1;

  jobs_ = std::make_unique<JobThread>();
  host_.resize(980, 620);
  jobs_->setOwner(&host_);
  sheet_ = new SheetLocal(QStringLiteral("Local"), &host_, *jobs_);
  sheet_->setCheckerFactory(
      [this](JobControl &) { return std::make_unique<TestLinkChecker>(&gate_); });
  sheet_->setGeometry(host_.rect());
  host_.show();
  sheet_->show();
  sheet_->refresh();
  settle();
}

void SheetTest::TearDown() {
  gate_.release = true;
  waitForJobs();
  delete sheet_;
  sheet_ = nullptr;
  jobs_->destroyPanelWindow();
  jobs_.reset();
  CurrentLocalProject = LocalProject();
  ProgramFolder::setOverride("");
  setHelpFolder(QString());
}

bool SheetTest::waitForJobs() {
  return waitUntil([this] { return !jobs_->isRunning(); });
}

void SheetTest::refreshSheet() {
  sheet_->refresh();
  settle();
}

QStringList SheetTest::analysedRows(QTreeWidgetItem *item, int command) {
  sheet_->mainPage()->runCommand(command, item);
  EXPECT_TRUE(waitForJobs());
  ReportList *list = sheet_->summaryPage()->list();
  QStringList rows;
  for (int r = 0; r < list->rowCount(); ++r)
    rows.append(list->cellText(r, 0) + "=" + list->cellText(r, 1));
  return rows;
}

QTreeWidgetItem *childWithBytes(QTreeWidgetItem *item, const std::string &name) {
  for (int i = 0; item && i < item->childCount(); ++i)
    if (itemNameBytes(item->child(i)) == name) return item->child(i);
  return nullptr;
}

} // namespace linkmoor::test
