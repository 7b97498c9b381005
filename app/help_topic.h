#pragma once
// The help pages: HTML files in the folder help/ beside the executable, shown in the
// program's help window.

#include <QString>

class QWidget;

namespace linkmoor {

class HelpWindow;

/// The folder of the help pages: "<folder of the executable>/help" unless set.
QString helpFolder();
/// Points the help pages at `folder` (tests, screenshots); an empty text restores the default.
void setHelpFolder(const QString &folder);

/// The file of `page` ("about/about.htm"; backslashes count as slashes) in the help folder.
QString helpPagePath(const QString &page);

/// Shows `page` in the help window, kept above `owner`'s window (created on first use,
/// reused afterwards). A missing page shows a short note in its place.
void showHelpTopic(QWidget *owner, const QString &page);

/// The help window, or null while none is open.
HelpWindow *currentHelpWindow();

/// Closes and destroys the help window, if any.
void closeHelpWindow();

} // namespace linkmoor
