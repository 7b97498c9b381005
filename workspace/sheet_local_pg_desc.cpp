#include "workspace/sheet_local_pg_desc.h"

namespace linkmoor {

SheetLocalPgDesc::SheetLocalPgDesc(ProjectSheet &sheet, QWidget *parent)
    : ErrorPage(sheet, parent) {}

} // namespace linkmoor
