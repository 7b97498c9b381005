#include "workspace/sheet_remote_pg_desc.h"

namespace linkmoor {

SheetRemotePgDesc::SheetRemotePgDesc(ProjectSheet &sheet, QWidget *parent)
    : ErrorPage(sheet, parent) {}

} // namespace linkmoor
