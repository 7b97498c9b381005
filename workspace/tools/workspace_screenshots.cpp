// linkmoor-workspace-screenshots DIR: opens the demo site as a local project in the main
// window at its first-start size and renders the workspace to PNG files in DIR: the
// file tree, the summary after analysing the whole site (also scrolled to its end and,
// in a narrower window, sideways), the error list of a page with errors, and the editor
// scrolled to the middle of a page. Runs on the offscreen platform unless another is
// chosen; works in a scratch Setting folder.
#include "app/help_topic.h"
#include "app/job_thread.h"
#include "app/main_dialog.h"
#include "app/tools/screenshot_support.h"
#include "app/window_geometry.h"
#include "storage/current_projects.h"
#include "storage/program_folder.h"
#include "storage/widgets/editor_control.h"
#include "workspace/file_tree.h"
#include "workspace/report_list.h"
#include "workspace/sheet_local.h"
#include "workspace/sheet_local_pg_edit.h"
#include "workspace/sheet_local_pg_info.h"
#include "workspace/sheet_local_pg_main.h"
#include "workspace/tree_items.h"
#include "workspace/workspace_sheets.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

using namespace linkmoor;

using shots::save;
using shots::settle;
using shots::waitFor;

QTreeWidgetItem *itemAt(QTreeWidgetItem *root, const QString &path) {
  QTreeWidgetItem *item = root;
  for (const QString &segment : path.split(QLatin1Char('/'))) {
    QTreeWidgetItem *next = nullptr;
    for (int i = 0; item && i < item->childCount(); ++i)
      if (item->child(i)->text(0) == segment) next = item->child(i);
    item = next;
  }
  return item;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: linkmoor-workspace-screenshots DIR\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QDir().mkpath(dir);
  QTemporaryDir scratch;
  QDir(scratch.path()).mkpath(QStringLiteral("Setting"));
  ProgramFolder::setOverride(scratch.path().toStdString());
  setHelpFolder(QStringLiteral(LINKMOOR_SOURCE_DIR "/resources/help"));
  bool ok = true;

  JobThread jobs;
  MainWindowServices services;
  const SheetFactory workspaceSheets = workspaceSheetFactory(jobs);
  SheetLocal *sheet = nullptr;
  // The local sheet is made here so that the tool keeps its own pointer to it.
  services.sheetFactory = [&](WorkspaceSheet::Kind kind, const QString &caption,
                              QWidget *parent) -> WorkspaceSheet * {
    if (kind != WorkspaceSheet::Kind::Local) return workspaceSheets(kind, caption, parent);
    sheet = new SheetLocal(caption, parent, jobs);
    return sheet;
  };
  services.localProjectDialog = [](QWidget *) {
    CurrentLocalProject.projectName = "Demo site";
    CurrentLocalProject.rootPath = LINKMOOR_SOURCE_DIR "/resources/demo-site";
    return true;
  };
  auto main = std::make_unique<MainDialog>(jobs, services);
  main->resize(firstWindowSize());
  main->show();
  settle();
  main->openLocalProject();
  if (!sheet) {
    std::fprintf(stderr, "no local sheet\n");
    return 1;
  }
  SheetLocalPgMain *page = sheet->mainPage();
  QTreeWidgetItem *root = page->rootItem();
  for (const char *folder : {"broken", "docs", "docs/reference"})
    if (QTreeWidgetItem *item = itemAt(root, QString::fromLatin1(folder))) item->setExpanded(true);
  if (QTreeWidgetItem *guide = itemAt(root, QStringLiteral("docs/guide.html")))
    page->tree()->setCurrentItem(guide);
  ok &= save(main.get(), dir, QStringLiteral("workspace-tree.png"));

  page->analyze(root, true);
  ok &= waitFor([&] { return !jobs.isRunning(); });
  ok &= save(main.get(), dir, QStringLiteral("workspace-info.png"));
  // The smallest window: the list scrolls sideways and the header goes with it; the
  // last rows shown whole under the header.
  main->resize(500, 400);
  settle();
  ReportList *summary = sheet->infoPage()->list();
  summary->verticalScrollBar()->setValue(summary->verticalScrollBar()->maximum());
  summary->horizontalScrollBar()->setValue(summary->horizontalScrollBar()->maximum() / 2);
  ok &= save(main.get(), dir, QStringLiteral("workspace-info-narrow.png"));
  main->resize(firstWindowSize());
  settle();

  sheet->showFile("broken/links.htm", true);
  ok &= waitFor([&] { return !jobs.isRunning(); });
  ok &= save(main.get(), dir, QStringLiteral("workspace-desc.png"));

  sheet->showFile("index.html", false);
  ok &= waitFor([&] { return !jobs.isRunning(); });
  SheetLocalPgEdit *edit = sheet->editPage();
  settle();
  const int lines = edit->editor()->blockCount();
  const int shown =
      std::max(1, edit->editor()->viewport()->height() / std::max(1, edit->editor()->lineHeight()));
  edit->pane().goToLine(std::max(1, lines / 2 - shown / 2), false);
  ok &= save(main.get(), dir, QStringLiteral("workspace-edit.png"));

  // Closing the window would ask whether to end the open project; the sheet simply goes.
  main.reset();
  return ok ? 0 : 1;
}
