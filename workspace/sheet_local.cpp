#include "workspace/sheet_local.h"

#include "workspace/sheet_local_pg_desc.h"
#include "workspace/sheet_local_pg_edit.h"
#include "workspace/sheet_local_pg_info.h"
#include "workspace/sheet_local_pg_main.h"

namespace linkmoor {

SheetLocal::SheetLocal(const QString &caption, QWidget *parent, JobThread &jobs)
    : ProjectSheet(localSheetTraits(), caption, parent, jobs), main_(new SheetLocalPgMain(*this)),
      info_(new SheetLocalPgInfo(*this)), desc_(new SheetLocalPgDesc(*this)),
      edit_(new SheetLocalPgEdit(*this)) {
  addPages(main_, info_, desc_, edit_);
}

void SheetLocal::refresh() {
  if (jobRunning()) return;
  main_->clear();
  info_->clear();
  clearFileView();
  main_->fillTree();
  // A newly opened project starts on its tree, whichever page the old one showed.
  setActivePage(PAGE_MAIN);
}

} // namespace linkmoor
