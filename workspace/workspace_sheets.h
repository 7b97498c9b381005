#pragma once
// The maker of the workspace sheets that the program hands to its main window.

#include "app/workspace_sheet.h"

namespace linkmoor {

class JobThread;

/// Makes `SheetLocal` for local projects and `SheetRemote` for remote ones; the sheets
/// run their jobs on `jobs`, which must outlive them.
SheetFactory workspaceSheetFactory(JobThread &jobs);

} // namespace linkmoor
