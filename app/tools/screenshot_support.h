#pragma once
// What the screenshot tools share: letting the offscreen platform catch up, and
// saving a widget as a PNG file.

#include <QString>
#include <functional>

class QWidget;

namespace linkmoor::shots {

/// Processes pending events `rounds` times.
void settle(int rounds = 5);
/// Processes events until `done` is true (with a safety cap); returns `done()`.
bool waitFor(const std::function<bool()> &done);
/// Renders `widget` to DIR/NAME; prints the path, or a message on stderr when it fails.
bool save(QWidget *widget, const QString &dir, const QString &name);

} // namespace linkmoor::shots
