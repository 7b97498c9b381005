#include "workspace/sheet_local_pg_info.h"

namespace linkmoor {

SheetLocalPgInfo::SheetLocalPgInfo(ProjectSheet &sheet, QWidget *parent)
    : SummaryPage(sheet, parent) {}

} // namespace linkmoor
