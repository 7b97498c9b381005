#include "workspace/sheet_remote.h"

#include "app/job_thread.h"
#include "app/message_box.h"
#include "workspace/sheet_remote_pg_desc.h"
#include "workspace/sheet_remote_pg_edit.h"
#include "workspace/sheet_remote_pg_info.h"
#include "workspace/sheet_remote_pg_main.h"

namespace linkmoor {

SheetRemote::SheetRemote(const QString &caption, QWidget *parent, JobThread &jobs)
    : ProjectSheet(remoteSheetTraits(), caption, parent, jobs), main_(new SheetRemotePgMain(*this)),
      info_(new SheetRemotePgInfo(*this)), desc_(new SheetRemotePgDesc(*this)),
      edit_(new SheetRemotePgEdit(*this)) {
  addPages(main_, info_, desc_, edit_);
}

void SheetRemote::reset() {
  if (jobRunning()) return;
  main_->clear();
  info_->clear();
  clearFileView();
  setActivePage(PAGE_MAIN);
}

void SheetRemote::retrieveRoot() { jobs().startJob(main_, JOB_REMOTE_RETRIEVE_ROOT); }

void SheetRemote::analyzeFiles(const QString &folder, const QStringList &files) {
  if (jobRunning()) return;
  if (hasUnsavedEdits() && !askYesNo(this, QString::fromLatin1(kDiscardEditsQuestion))) return;
  info_->clear();
  clearFileView();
  info_->repaint();
  ProjectSheet::analyzeFiles(folder, files);
}

} // namespace linkmoor
