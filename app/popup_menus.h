#pragma once
// The main window's popup menus (resource ids 151 "Analyze", 152 "Options", 153 "Help")
// with their command ids, and the rules that check and gray their items.

#include <QString>

class QAction;
class QMenu;
class QWidget;

namespace linkmoor {

/// Command ids of the popup items.
enum MenuCommand : int {
  CMD_REMOTE_SITE = 32772,
  CMD_LOCAL_FILES = 32773,
  CMD_RESET = 32781,
  CMD_HELP_CONTENTS = 32782,
  CMD_ABOUT = 32783,
  CMD_SITE_OPTION = 32793,
  CMD_INPLACE_HELP = 32806,
  CMD_RECONNECT = 32807,
  CMD_ALWAYS_ON_TOP = 32816,
  CMD_HOME = 32817,
  CMD_GENERAL = 32818,
};

/// What the popup items depend on.
struct PopupState {
  bool jobRunning = false;
  bool localSheet = false;
  bool remoteSheet = false;
  bool alwaysOnTop = false;
};

/// A new popup menu for `resourceId` (151, 152 or 153; null for any other), owned by
/// `parent`. Each item's action carries its command id as data.
QMenu *createPopup(int resourceId, QWidget *parent);

/// Checks and grays the items of `menu` (and its sub-menus) for `state`.
void updatePopup(QMenu *menu, const PopupState &state);

/// The action of `menu` (or a sub-menu) with command id `command`, or null.
QAction *findCommand(QMenu *menu, int command);

/// The command id an action carries, or 0.
int commandOf(const QAction *action);

} // namespace linkmoor
