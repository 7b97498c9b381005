#pragma once
// The context menus of the workspace pages, described as data so that what each
// menu holds and grays can be checked without opening it.

#include <QString>
#include <vector>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace linkmoor {

/// Command ids of the workspace pages' context menus.
enum PageCommand : int {
  CMD_EDIT_SHOW_DESCRIPTION = 32776,
  CMD_COLLAPSE = 32778,
  CMD_EXPAND = 32779,
  CMD_COLLAPSE_OTHERS = 32780,
  CMD_REMOTE_ANALYZE_FOLDER = 32785,
  CMD_REMOTE_COLLAPSE_OTHERS = 32786,
  CMD_REMOTE_COLLAPSE = 32787,
  CMD_REMOTE_EXPAND = 32788,
  CMD_REMOTE_RETRIEVE_ALL = 32789,
  CMD_REMOTE_ANALYZE_RECURSIVE = 32790,
  CMD_REMOTE_COPY_PATH = 32792,
  CMD_REMOTE_SET_SUBDOMAIN = 32794,
  CMD_REMOTE_ANALYZE_FILE = 32795,
  CMD_BROWSE_ROW = 32796,
  CMD_REMOTE_BROWSE = 32797,
  CMD_ANALYZE_FILE = 32808,
  CMD_ANALYZE_FOLDER = 32809,
  CMD_ANALYZE_RECURSIVE = 32810,
  CMD_COPY_PATH = 32812,
  CMD_BROWSE = 32813,
  CMD_COPY_FORMAT_OR_LINK = 32815,
  CMD_REFRESH_FILE = 32819,
};

/// One line of a context menu; `id` 0 is a separator.
struct PageMenuItem {
  int id = 0;
  QString text;
  bool enabled = true;
  bool operator==(const PageMenuItem &) const = default;
};

/// The local main page's menu (MU2_POP_LOCALMAIN) for an HTML page (`htmlFile`) or a
/// folder: a page has no folder analyses and its folding commands grayed; a folder
/// has no "Analyzing the file" and "Browse the file" grayed.
std::vector<PageMenuItem> localTreeMenu(bool htmlFile);
/// The remote main page's menu (MU3_POP_REMOTEMAIN) for an HTML page (`htmlFile`) or
/// a folder: a page has no folder analyses, and its folding commands, "Retrieve all"
/// and "Set as Subdomain path" grayed; a folder has no "Analyzing the file" and
/// "Browse the file" grayed.
std::vector<PageMenuItem> remoteTreeMenu(bool htmlFile);
/// The info page's menu (MU1_POP_PGINFO); the first two commands grayed while a job runs.
std::vector<PageMenuItem> summaryMenu(bool jobRunning);
/// The desc page's menu (MU5_POP_DESC).
std::vector<PageMenuItem> errorMenu();

/// Fills `menu` with `items`; every action carries its command id as data.
void fillPageMenu(QMenu &menu, const std::vector<PageMenuItem> &items);
/// The command id of an action made by fillPageMenu; 0 for null.
int pageCommandOf(const QAction *action);
/// Shows `items` as a popup menu of `parent` at `globalPos` and returns the command
/// chosen, or 0 when the menu is empty or closed without a choice.
int execPageMenu(QWidget *parent, const std::vector<PageMenuItem> &items, const QPoint &globalPos);

} // namespace linkmoor
