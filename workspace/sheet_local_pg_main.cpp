#include "workspace/sheet_local_pg_main.h"

#include "app/message_box.h"
#include "storage/current_projects.h"
#include "storage/file_name_text.h"
#include "storage/site_walk.h"
#include "workspace/browse.h"
#include "workspace/file_tree.h"
#include "workspace/project_sheet.h"
#include "workspace/report_list.h"
#include "workspace/tree_image_strip.h"
#include "workspace/tree_items.h"
#include "workspace/workspace_geometry.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace linkmoor {

SheetLocalPgMain::SheetLocalPgMain(ProjectSheet &sheet, QWidget *parent)
    : QWidget(parent), sheet_(sheet), tree_(new FileTree(this)),
      extensions_(new ReportList(
          3, {QStringLiteral("File"), QStringLiteral("Count"), QStringLiteral("Support")}, this)) {
  tree_->setObjectName(QStringLiteral("tree"));
  extensions_->setObjectName(QStringLiteral("extensionList"));
  connect(tree_, &FileTree::rightClicked, this, &SheetLocalPgMain::openMenu);
  extensions_->setColumnProportions(kExtensionMultiples);
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

  root_ = new QTreeWidgetItem(tree_);
  setItemName(root_, rootPath);
  setTreeImage(root_, LOCAL_IMAGE_FOLDER, TreeImageStrip::local());
  WalkEntry top;
  walkSiteFolder(rootPath + "/", WalkOrder::Caseless, top);
  addChildren(top, root_);
  root_->setExpanded(true);
  tree_->scrollToItem(root_);
  fillExtensionList();
}

void SheetLocalPgMain::addChildren(const WalkEntry &folder, QTreeWidgetItem *parent) {
  const TreeImageStrip &strip = TreeImageStrip::local();
  for (const WalkEntry &entry : folder.children) {
    auto *item = new QTreeWidgetItem(parent);
    setItemName(item, entry.name);
    switch (entry.kind) {
    case WalkKind::Folder:
      setTreeImage(item, LOCAL_IMAGE_FOLDER, strip);
      if (!entry.readable) markUnreadable(item);
      addChildren(entry, item);
      break;
    case WalkKind::File:
      // A link that leads nowhere is a file too: analysing it reads "open".
      stats_.add(entry.name);
      setTreeImage(item, isHtmlFileName(entry.name) ? LOCAL_IMAGE_HTML : LOCAL_IMAGE_FILE, strip);
      break;
    case WalkKind::Unreadable:
      // Its type is unknown: it may be a folder of pages. Analysing it, or its
      // folder, reads "open" instead of leaving it out in silence.
      setTreeImage(item, isHtmlFileName(entry.name) ? LOCAL_IMAGE_HTML : LOCAL_IMAGE_FOLDER, strip);
      markUnreadable(item);
      break;
    }
  }
}

void SheetLocalPgMain::fillExtensionList() {
  extensions_->removeAllRows();
  for (const ExtensionStat &stat : stats_.displayOrder()) {
    const int row = extensions_->appendRow(QString::fromStdString(readableText(stat.extension)));
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
  // The list fits its columns to its own width whenever that changes.
  extensions_->setGeometry(g.list);
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
  case CMD_COPY_PATH: {
    // The text shows the path readably; the file address beside it keeps the
    // exact bytes of a name that is not UTF-8.
    auto *data = new QMimeData;
    data->setText(itemFullPath(item));
    data->setData(QStringLiteral("text/uri-list"),
                  fileAddressOfBytes(itemFullPathBytes(item)).toLatin1() + "\r\n");
    QApplication::clipboard()->setMimeData(data);
    break;
  }
  case CMD_BROWSE:
    browseAddress(this, fileAddressOfBytes(itemFullPathBytes(item)));
    break;
  default:
    break;
  }
}

void SheetLocalPgMain::analyze(QTreeWidgetItem *item, bool recursive) {
  QString folder;
  QStringList pages;
  if (treeImage(item) == LOCAL_IMAGE_HTML || (isUnreadable(item) && item->parent())) {
    // A page, or an entry that could not be read, which then reads "open".
    folder = itemPath(item->parent());
    pages.append(QString::fromStdString(carriedText(itemNameBytes(item))));
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
