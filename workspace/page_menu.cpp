#include "workspace/page_menu.h"

#include <QAction>
#include <QMenu>

namespace linkmoor {

std::vector<PageMenuItem> localTreeMenu(bool htmlFile) {
  std::vector<PageMenuItem> items;
  if (htmlFile) {
    items.push_back({CMD_ANALYZE_FILE, QStringLiteral("Analyzing the file"), true});
  } else {
    items.push_back({CMD_ANALYZE_FOLDER, QStringLiteral("Analyzing without sub-directory"), true});
    items.push_back({CMD_ANALYZE_RECURSIVE, QStringLiteral("Analyzing with sub-directory"), true});
  }
  items.push_back({});
  items.push_back({CMD_COLLAPSE_OTHERS, QStringLiteral("Collapse others"), !htmlFile});
  items.push_back({CMD_COLLAPSE, QStringLiteral("Collapse"), !htmlFile});
  items.push_back({CMD_EXPAND, QStringLiteral("Expand"), !htmlFile});
  items.push_back({});
  items.push_back({CMD_COPY_PATH, QStringLiteral("Copy path name"), true});
  items.push_back({CMD_BROWSE, QStringLiteral("Browse the file"), htmlFile});
  return items;
}

std::vector<PageMenuItem> remoteTreeMenu(bool htmlFile) {
  std::vector<PageMenuItem> items;
  if (htmlFile) {
    items.push_back({CMD_REMOTE_ANALYZE_FILE, QStringLiteral("Analyzing the file"), true});
  } else {
    items.push_back(
        {CMD_REMOTE_ANALYZE_FOLDER, QStringLiteral("Analyzing without sub-directory"), true});
    items.push_back(
        {CMD_REMOTE_ANALYZE_RECURSIVE, QStringLiteral("Analyzing with sub-directory"), true});
  }
  items.push_back({CMD_REMOTE_RETRIEVE_ALL, QStringLiteral("Retrieve all"), !htmlFile});
  items.push_back({});
  items.push_back({CMD_REMOTE_COLLAPSE_OTHERS, QStringLiteral("Collapse others"), !htmlFile});
  items.push_back({CMD_REMOTE_COLLAPSE, QStringLiteral("Collapse"), !htmlFile});
  items.push_back({CMD_REMOTE_EXPAND, QStringLiteral("Expand"), !htmlFile});
  items.push_back({});
  items.push_back({CMD_REMOTE_COPY_PATH, QStringLiteral("Copy path name"), true});
  items.push_back({CMD_REMOTE_BROWSE, QStringLiteral("Browse the file"), htmlFile});
  items.push_back({});
  items.push_back({CMD_REMOTE_SET_SUBDOMAIN, QStringLiteral("Set as Subdomain path"), !htmlFile});
  return items;
}

std::vector<PageMenuItem> summaryMenu(bool jobRunning) {
  return {{CMD_EDIT_SHOW_DESCRIPTION, QStringLiteral("Edit && show description"), !jobRunning},
          {CMD_REFRESH_FILE, QStringLiteral("Refresh the file"), !jobRunning},
          {},
          {CMD_BROWSE_ROW, QStringLiteral("Browse the file"), true}};
}

std::vector<PageMenuItem> errorMenu() {
  return {{CMD_COPY_FORMAT_OR_LINK, QStringLiteral("Copy format or link"), true}};
}

void fillPageMenu(QMenu &menu, const std::vector<PageMenuItem> &items) {
  for (const PageMenuItem &item : items) {
    if (item.id == 0) {
      menu.addSeparator();
      continue;
    }
    QAction *action = menu.addAction(item.text);
    action->setData(item.id);
    action->setEnabled(item.enabled);
  }
}

int pageCommandOf(const QAction *action) { return action ? action->data().toInt() : 0; }

int execPageMenu(QWidget *parent, const std::vector<PageMenuItem> &items, const QPoint &globalPos) {
  if (items.empty()) return 0;
  QMenu menu(parent);
  fillPageMenu(menu, items);
  return pageCommandOf(menu.exec(globalPos));
}

} // namespace linkmoor
