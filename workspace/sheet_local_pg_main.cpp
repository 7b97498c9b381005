#include "workspace/sheet_local_pg_main.h"

#include "app/message_box.h"
#include "storage/current_projects.h"
#include "storage/folder_search.h"
#include "workspace/browse.h"
#include "workspace/file_tree.h"
#include "workspace/project_sheet.h"
#include "workspace/report_list.h"
#include "workspace/tree_image_strip.h"
#include "workspace/tree_items.h"
#include "workspace/workspace_geometry.h"

#include <QApplication>
#include <QClipboard>

namespace linkmoor {

SheetLocalPgMain::SheetLocalPgMain(ProjectSheet &sheet, QWidget *parent)
    : QWidget(parent), sheet_(sheet), tree_(new FileTree(this)),
      extensions_(new ReportList(
          3, {QStringLiteral("File"), QStringLiteral("Count"), QStringLiteral("Support")}, this)) {
  tree_->setObjectName(QStringLiteral("tree"));
  extensions_->setObjectName(QStringLiteral("extensionList"));
  connect(tree_, &FileTree::rightClicked, this, &SheetLocalPgMain::openMenu);
  layoutControls();
}

void SheetLocalPgMain::clear() {
  tree_->clear();
  root_ = nullptr;
  stats_.clear();
  extensions_->removeAllRows();
}

void SheetLocalPgMain::fillTree() {
  clear();
  std::string rootPath = CurrentLocalProject.rootPath;
  for (char &c : rootPath)
    if (c == '\\') c = '/';
  while (!rootPath.empty() && rootPath.back() == '/')
    rootPath.pop_back();

  root_ = new QTreeWidgetItem(tree_, QStringList(QString::fromStdString(rootPath)));
  setTreeImage(root_, LOCAL_IMAGE_FOLDER, TreeImageStrip::local());
  walk(rootPath + "/", root_);
  root_->setExpanded(true);
  tree_->scrollToItem(root_);
  fillExtensionList();
}

void SheetLocalPgMain::walk(std::string folderPath, QTreeWidgetItem *parent) {
  if (folderPath.empty() || folderPath.back() != '/') folderPath += '/';
  std::vector<std::string> folders, files;
  FolderSearch search;
  for (bool found = search.start(folderPath + "*.*"); found; found = search.next()) {
    const std::string &name = search.name();
    if (name == "." || name == "..") continue;
    (search.isDirectory() ? folders : files).push_back(name);
  }
  search.end();

  std::vector<QTreeWidgetItem *> folderItems;
  for (const std::string &name : folders) {
    auto *item = new QTreeWidgetItem(parent, QStringList(QString::fromStdString(name)));
    setTreeImage(item, LOCAL_IMAGE_FOLDER, TreeImageStrip::local());
    folderItems.push_back(item);
  }
  for (const std::string &name : files) {
    stats_.add(name);
    auto *item = new QTreeWidgetItem(parent, QStringList(QString::fromStdString(name)));
    setTreeImage(item, isHtmlFileName(name) ? LOCAL_IMAGE_HTML : LOCAL_IMAGE_FILE,
                 TreeImageStrip::local());
  }
  for (std::size_t i = 0; i < folders.size(); ++i)
    walk(folderPath + folders[i], folderItems[i]);
}

void SheetLocalPgMain::fillExtensionList() {
  extensions_->removeAllRows();
  for (const ExtensionStat &stat : stats_.displayOrder()) {
    const int row = extensions_->appendRow(QString::fromStdString(stat.extension));
    extensions_->setCellText(row, 1, QString::number(stat.count));
    extensions_->setCellText(row, 2, stat.supported ? QStringLiteral("Yes") : QString());
  }
}

void SheetLocalPgMain::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  layoutControls();
}

void SheetLocalPgMain::layoutControls() {
  const MainPageGeometry g = localMainLayout(rect());
  tree_->setGeometry(g.tree);
  extensions_->setGeometry(g.list);
  extensions_->setColumnWidths(
      extensionColumnWidths(g.list.width(), extensions_->scrollBarWidth()));
}

std::vector<PageMenuItem> SheetLocalPgMain::menuFor(const QTreeWidgetItem *item) const {
  const int image = treeImage(item);
  if (image != LOCAL_IMAGE_HTML && image != LOCAL_IMAGE_FOLDER) return {};
  return localTreeMenu(image == LOCAL_IMAGE_HTML);
}

void SheetLocalPgMain::openMenu(const QPoint &viewportPos, const QPoint &globalPos) {
  QTreeWidgetItem *item = tree_->selectedLabelAt(viewportPos);
  const std::vector<PageMenuItem> items = menuFor(item);
  const int command = execPageMenu(this, items, globalPos);
  if (command != 0) runCommand(command, item);
}

void SheetLocalPgMain::runCommand(int id, QTreeWidgetItem *item) {
  if (!item) return;
  switch (id) {
  case CMD_ANALYZE_FILE:
  case CMD_ANALYZE_FOLDER:
    analyze(item, false);
    break;
  case CMD_ANALYZE_RECURSIVE:
    analyze(item, true);
    break;
  case CMD_COLLAPSE_OTHERS:
    collapseOthers(tree_, item);
    break;
  case CMD_COLLAPSE:
    setExpandedBelow(item, false);
    break;
  case CMD_EXPAND:
    setExpandedBelow(item, true);
    break;
  case CMD_COPY_PATH:
    QApplication::clipboard()->setText(itemFullPath(item));
    break;
  case CMD_BROWSE:
    browseAddress(this, localBrowseAddress(CurrentLocalProject.rootPath, itemPath(item)));
    break;
  default:
    break;
  }
}

void SheetLocalPgMain::analyze(QTreeWidgetItem *item, bool recursive) {
  QString folder;
  QStringList pages;
  if (treeImage(item) == LOCAL_IMAGE_HTML) {
    folder = itemPath(item->parent());
    pages.append(item->text(0));
  } else {
    folder = itemPath(item);
    pages = collectPages(item, LOCAL_IMAGE_HTML, recursive);
  }
  if (pages.isEmpty()) {
    showMessage(this, QStringLiteral("Can not find any supported files to analyze"));
    return;
  }
  sheet_.analyzeFiles(folder, pages);
}

} // namespace linkmoor
