#pragma once
// Windows that belong to another stay above it. A window kept above all others
// ("Always on top") would otherwise cover its own help window and tool windows, which
// the window manager stacks in the normal layer below it.

class QWidget;

namespace linkmoor {

/// True when `window` or a window it belongs to (its parent windows, in turn) is kept
/// above all others.
bool ownerStaysOnTop(const QWidget *window);

/// Gives the top-level `window` the "stay on top" hint exactly when a window it belongs
/// to has it, keeping its place and visibility. Does nothing when it already matches.
void followOwnerStacking(QWidget *window);

} // namespace linkmoor
