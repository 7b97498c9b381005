// The commands of the main window's popup menus and the opening and closing of projects.
#include "app/main_dialog.h"

#include "app/help_pane.h"
#include "app/help_topic.h"
#include "app/job_thread.h"
#include "app/message_box.h"
#include "app/workspace_sheet.h"
#include "storage/current_projects.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QTimer>

namespace linkmoor {

void MainDialog::runCommand(int id) {
  const MainWindowServices &hook = services_;
  switch (id) {
  case CMD_REMOTE_SITE:
    openRemoteProject();
    break;
  case CMD_LOCAL_FILES:
    openLocalProject();
    break;
  case CMD_RESET:
    resetProject();
    break;
  case CMD_HELP_CONTENTS:
    showHelpTopic(this, QStringLiteral("about/about.htm"));
    break;
  case CMD_INPLACE_HELP:
    showHelpTopic(this, inPlaceHelpPage());
    break;
  case CMD_ABOUT:
    if (hook.about) hook.about(this);
    break;
  case CMD_HOME:
    QDesktopServices::openUrl(homePage());
    break;
  case CMD_SITE_OPTION:
    if (hook.siteOption) hook.siteOption(this);
    break;
  case CMD_RECONNECT:
    jobs_.startJob(this, JOB_RECONNECT);
    break;
  case CMD_ALWAYS_ON_TOP:
    setAlwaysOnTop(!alwaysOnTop_);
    break;
  case CMD_GENERAL:
    if (hook.generalOptions) hook.generalOptions(this);
    break;
  default:
    break;
  }
}

void MainDialog::runJob(JobCode code, JobThread &job) {
  if (code == JOB_RECONNECT && services_.reconnect) services_.reconnect(job);
}

WorkspaceSheet *MainDialog::createSheet(int kind, const QString &caption) {
  const auto sheetKind = static_cast<WorkspaceSheet::Kind>(kind);
  WorkspaceSheet *sheet = services_.sheetFactory
                              ? services_.sheetFactory(sheetKind, caption, this)
                              : MainWindowServices::basic().sheetFactory(sheetKind, caption, this);
  if (!sheet) return nullptr;
  sheet->setGeometry(workArea());
  sheet->show();
  layoutChildren(false);
  return sheet;
}

void MainDialog::openLocalProject() {
  const MainWindowServices &hook = services_;
  const LocalProject previous = CurrentLocalProject;
  if (!hook.localProjectDialog || !hook.localProjectDialog(this)) return;
  // The sheet is about to show the chosen project: unsaved corrections of the page
  // in its editor go only with the user's word, else the old project stays.
  if (localSheet_ && localSheet_->hasUnsavedEdits() &&
      !askYesNo(this, QString::fromLatin1(kDiscardEditsQuestion))) {
    CurrentLocalProject = previous;
    return;
  }
  delete remoteSheet_.data();
  CurrentLocalProject.normalise();
  helpPane_->hide();
  if (!localSheet_)
    localSheet_ =
        createSheet(static_cast<int>(WorkspaceSheet::Kind::Local), QStringLiteral("Local"));
  if (localSheet_) localSheet_->refreshFromProject();
  update();
  reassertTopmost();
}

void MainDialog::openRemoteProject() {
  const MainWindowServices &hook = services_;
  // The connect dialog changes the program's one FTP connection, which cannot be put
  // back: unsaved corrections in the editor of the sheet to be replaced are asked about
  // before it opens (No keeps the sheet, the project and the connection as they are).
  for (WorkspaceSheet *sheet : {localSheet_.data(), remoteSheet_.data()})
    if (sheet && sheet->hasUnsavedEdits() &&
        !askYesNo(this, QString::fromLatin1(kDiscardEditsQuestion)))
      return;
  if (!hook.connectDialog || !hook.connectDialog(this)) return;
  // A short pause that keeps the event loop running (the connect job has just ended).
  QEventLoop pause;
  QTimer::singleShot(200, &pause, &QEventLoop::quit);
  pause.exec();
  delete localSheet_.data();
  helpPane_->hide();
  if (remoteSheet_)
    remoteSheet_->resetSheet();
  else
    remoteSheet_ =
        createSheet(static_cast<int>(WorkspaceSheet::Kind::Remote), QStringLiteral("Host"));
  if (remoteSheet_) remoteSheet_->retrieveRoot();
  update();
  reassertTopmost();
}

bool MainDialog::resetProject() {
  // Corrections not yet saved go only with the user's word, asked before anything else.
  for (WorkspaceSheet *sheet : {localSheet_.data(), remoteSheet_.data()})
    if (sheet && sheet->hasUnsavedEdits() &&
        !askYesNo(this, QString::fromLatin1(kDiscardEditsQuestion)))
      return false;
  if (!askYesNo(this, QStringLiteral("Terminate current analyzing?"))) return false;
  destroySheets();
  helpPane_->show();
  layoutChildren(true);
  reassertTopmost();
  return true;
}

void MainDialog::destroySheets() {
  delete localSheet_.data();
  delete remoteSheet_.data();
}

QString MainDialog::inPlaceHelpPage() const {
  struct Choice {
    const WorkspaceSheet *sheet;
    const char *prefix;
  };
  for (const Choice &choice :
       {Choice{remoteSheet_.data(), "site/"}, Choice{localSheet_.data(), "local/"}}) {
    if (!choice.sheet) continue;
    const int page = choice.sheet->activePageIndex();
    const QString prefix = QString::fromLatin1(choice.prefix);
    if (page == 0) return prefix + QStringLiteral("pagemain.htm");
    if (page == 1) return prefix + QStringLiteral("pageinfo.htm");
    if (page == 2 || page == 3) return prefix + QStringLiteral("pagedescedit.htm");
  }
  return QStringLiteral("about/about.htm");
}

} // namespace linkmoor
