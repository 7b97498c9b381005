#include "app/popup_menus.h"

#include <QAction>
#include <QMenu>

namespace linkmoor {

namespace {

void addCommand(QMenu *menu, int command, const QString &caption) {
  QAction *action = menu->addAction(caption);
  action->setData(command);
}

} // namespace

QMenu *createPopup(int resourceId, QWidget *parent) {
  auto *menu = new QMenu(parent);
  switch (resourceId) {
  case 151:
    menu->setObjectName(QStringLiteral("MU0_ANALYZE"));
    addCommand(menu, CMD_REMOTE_SITE, QStringLiteral("Remote site"));
    addCommand(menu, CMD_LOCAL_FILES, QStringLiteral("Local files"));
    menu->addSeparator();
    addCommand(menu, CMD_RESET, QStringLiteral("Reset"));
    break;
  case 152: {
    menu->setObjectName(QStringLiteral("MU0_OPTIONS"));
    QMenu *remote = menu->addMenu(QStringLiteral("Remote site"));
    addCommand(remote, CMD_SITE_OPTION, QStringLiteral("Site option"));
    addCommand(remote, CMD_RECONNECT, QStringLiteral("Reconnect"));
    menu->addSeparator();
    addCommand(menu, CMD_GENERAL, QStringLiteral("General"));
    menu->addSeparator();
    addCommand(menu, CMD_ALWAYS_ON_TOP, QStringLiteral("Always on top"));
    findCommand(menu, CMD_ALWAYS_ON_TOP)->setCheckable(true);
    break;
  }
  case 153:
    menu->setObjectName(QStringLiteral("MU0_HELP"));
    addCommand(menu, CMD_HELP_CONTENTS, QStringLiteral("Help contents"));
    addCommand(menu, CMD_INPLACE_HELP, QStringLiteral("In-place help"));
    menu->addSeparator();
    addCommand(menu, CMD_ABOUT, QStringLiteral("About"));
    menu->addSeparator();
    addCommand(menu, CMD_HOME, QStringLiteral("Home"));
    break;
  default:
    delete menu;
    return nullptr;
  }
  return menu;
}

int commandOf(const QAction *action) {
  if (!action) return 0;
  bool ok = false;
  const int command = action->data().toInt(&ok);
  return ok ? command : 0;
}

QAction *findCommand(QMenu *menu, int command) {
  if (!menu) return nullptr;
  for (QAction *action : menu->actions()) {
    if (commandOf(action) == command) return action;
    if (QAction *inner = findCommand(action->menu(), command)) return inner;
  }
  return nullptr;
}

void updatePopup(QMenu *menu, const PopupState &state) {
  auto enable = [menu](int command, bool on) {
    if (QAction *action = findCommand(menu, command)) action->setEnabled(on);
  };
  if (QAction *onTop = findCommand(menu, CMD_ALWAYS_ON_TOP)) onTop->setChecked(state.alwaysOnTop);
  const bool idle = !state.jobRunning;
  const bool anySheet = state.localSheet || state.remoteSheet;
  enable(CMD_REMOTE_SITE, idle);
  enable(CMD_LOCAL_FILES, idle);
  enable(CMD_RESET, idle && anySheet);
  enable(CMD_SITE_OPTION, idle && state.remoteSheet);
  enable(CMD_RECONNECT, idle && state.remoteSheet);
}

} // namespace linkmoor
