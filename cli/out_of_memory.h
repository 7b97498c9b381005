#pragma once
// What the checker does when memory runs out where no page can absorb it.

namespace linkmoor::cli {

/// Makes an out-of-memory error that no caller caught, on any thread, end the
/// program with "linkmoor-check: out of memory" on standard error and status 2
/// instead of an abort. A page whose own analysis runs out of memory is still
/// reported "read" where it is caught; this covers the rest (the folder walk, the
/// report's own text). Other uncaught exceptions keep the default handling.
void exitCleanlyWhenOutOfMemory();

} // namespace linkmoor::cli
