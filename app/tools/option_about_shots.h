#pragma once
// The screenshots of the options sheet and the about box.

#include <QString>
#include <QUrl>

class QWidget;

namespace linkmoor::shots {

/// Renders "options-sheet.png" and "about-box.png" (after some scroll steps, with the
/// home page link `homePage`) into `dir`, over `owner`; false when one fails.
bool saveOptionAndAboutShots(QWidget *owner, const QUrl &homePage, const QString &dir);

} // namespace linkmoor::shots
