// linkmoor-screenshots DIR: renders the main window, the progress strip, the help window
// and the local and remote project dialogs (empty and filled), the options sheet and the
// about box to PNG files in DIR. Runs on the offscreen platform unless another is chosen;
// works in a scratch Setting folder.
#include "app/help_topic.h"
#include "app/help_window.h"
#include "app/job_owner.h"
#include "app/job_thread.h"
#include "app/main_dialog.h"
#include "app/place_dialog.h"
#include "app/progress_panel.h"
#include "app/tools/connect_dialog_shots.h"
#include "app/tools/option_about_shots.h"
#include "app/tools/screenshot_support.h"
#include "app/window_geometry.h"
#include "storage/local_project_store.h"
#include "storage/program_folder.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

using namespace linkmoor;

using shots::save;
using shots::settle;
using shots::waitFor;

// A window that owns the pictured job: it shows its progress and waits to be released.
class PicturedJob : public QWidget, public JobOwner {
public:
  std::atomic<bool> shown{false};
  std::atomic<bool> release{false};
  void runJob(JobCode, JobThread &job) override {
    job.setItemText("Checking links of products/index.html",
                    "http://www.example.com/shop/catalogue.html?page=2", true);
    shown = true;
    while (!release)
      std::this_thread::yield();
  }
};

void writeProjects() {
  LocalProjectStore store;
  auto demo = std::make_unique<LocalProject>();
  demo->projectName = "Demo site";
  demo->rootPath = std::string(LINKMOOR_SOURCE_DIR) + "/resources/demo-site";
  auto home = std::make_unique<LocalProject>();
  home->projectName = "Homepage";
  home->rootPath = "/home/user/public_html";
  store.insertFirst(std::move(home));
  store.insertFirst(std::move(demo));
  store.setSelectedIndex(0);
  store.save();
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: linkmoor-screenshots DIR\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QDir().mkpath(dir);
  QTemporaryDir scratch;
  QDir(scratch.path()).mkpath(QStringLiteral("Setting"));
  ProgramFolder::setOverride(scratch.path().toStdString());
  bool ok = true;

  JobThread jobs;
  auto main = std::make_unique<MainDialog>(jobs, MainWindowServices::basic());
  main->resize(firstWindowSize());
  main->show();
  ok &= save(main.get(), dir, QStringLiteral("main-window.png"));

  PicturedJob owner;
  owner.resize(760, 540);
  jobs.startJob(&owner, JOB_LOCAL_ANALYZE);
  ok &= waitFor([&] { return owner.shown.load() && jobs.panel() && jobs.panel()->isVisible(); });
  ok &= save(jobs.panel(), dir, QStringLiteral("progress-panel.png"));
  owner.release = true;
  waitFor([&] { return !jobs.isRunning(); });

  showHelpTopic(main.get(), QStringLiteral("local/place.htm"));
  currentHelpWindow()->resize(640, 520);
  ok &= save(currentHelpWindow(), dir, QStringLiteral("help-window.png"));
  closeHelpWindow();

  {
    PlaceDialog empty(main.get());
    empty.show();
    ok &= save(&empty, dir, QStringLiteral("place-dialog-empty.png"));
  }
  QFile::remove(QString::fromStdString(LocalProjectStore().filePath()));
  writeProjects();
  {
    PlaceDialog filled(main.get());
    filled.show();
    ok &= save(&filled, dir, QStringLiteral("place-dialog-filled.png"));
    filled.reject();
  }
  QFile::remove(QString::fromStdString(LocalProjectStore().filePath()));
  ok &= shots::saveConnectDialogShots(main.get(), jobs, dir);
  ok &= shots::saveOptionAndAboutShots(main.get(), MainDialog::homePage(), dir);
  main->close();
  return ok ? 0 : 1;
}
