#pragma once
// The program's message boxes: titled "Message", questions with Yes and No. Safe to
// call from the worker thread: the box is shown on the GUI thread through `guiCall`.

#include <QString>

class QWidget;

namespace linkmoor {

/// Shows `text` with an OK button, owned by `owner` (may be null), and waits for it.
void showMessage(QWidget *owner, const QString &text);

/// Asks `text` with Yes and No, owned by `owner`; true for Yes.
bool askYesNo(QWidget *owner, const QString &text);

} // namespace linkmoor
