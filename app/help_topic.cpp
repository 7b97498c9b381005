#include "app/help_topic.h"

#include "app/help_window.h"
#include "app/window_stacking.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace linkmoor {

namespace {

QString &helpFolderOverride() {
  static QString folder;
  return folder;
}

QPointer<HelpWindow> &helpWindowPointer() {
  static QPointer<HelpWindow> window;
  return window;
}

} // namespace

QString helpFolder() {
  if (!helpFolderOverride().isEmpty()) return helpFolderOverride();
  return QCoreApplication::applicationDirPath() + QStringLiteral("/help");
}

void setHelpFolder(const QString &folder) { helpFolderOverride() = folder; }

QString helpPagePath(const QString &page) {
  QString relative = page;
  relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (relative.startsWith(QLatin1Char('/')))
    relative.remove(0, 1);
  return helpFolder() + QLatin1Char('/') + relative;
}

void showHelpTopic(QWidget *owner, const QString &page) {
  QPointer<HelpWindow> &window = helpWindowPointer();
  QWidget *parent = owner ? owner->window() : nullptr;
  // The help window belongs to the owner's window: a modal dialog blocks every window
  // that is not its own, and a help page asked for by a dialog must stay usable.
  if (!window) {
    window = new HelpWindow(parent);
  } else if (window->parentWidget() != parent) {
    const QRect place = window->geometry();
    window->setParent(parent, window->windowFlags());
    window->setGeometry(place);
  }
  followOwnerStacking(window);
  window->showPage(helpPagePath(page));
  window->show();
  window->raise();
  window->activateWindow();
}

HelpWindow *currentHelpWindow() { return helpWindowPointer(); }

void closeHelpWindow() {
  delete helpWindowPointer().data();
  helpWindowPointer() = nullptr;
}

} // namespace linkmoor
