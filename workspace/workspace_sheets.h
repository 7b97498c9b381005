#pragma once
// Hooks the workspace sheets into the main window's sheet factory.

namespace linkmoor {

/// Makes the main window create `SheetLocal` for local projects (remote projects keep
/// the stand-in sheet until the remote sheet exists). The sheet runs its jobs on the
/// main window's job runner.
void installWorkspaceSheets();

} // namespace linkmoor
