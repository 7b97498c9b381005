#include "workspace/sheet_remote_pg_main.h"

#include "app/gui_call.h"
#include "app/job_thread.h"
#include "app/message_box.h"
#include "platform/ftp_site.h"
#include "storage/current_projects.h"
#include "storage/remote_project_store.h"
#include "workspace/browse.h"
#include "workspace/extension_stats.h"
#include "workspace/file_tree.h"
#include "workspace/project_sheet.h"
#include "workspace/remote_paths.h"
#include "workspace/tree_image_strip.h"
#include "workspace/tree_items.h"
#include "workspace/workspace_geometry.h"

#include <QApplication>
#include <QClipboard>

namespace linkmoor {

namespace {

bool isMarked(int image) {
  return image == REMOTE_IMAGE_ROOT_MARKED || image == REMOTE_IMAGE_FOLDER_MARKED ||
         image == REMOTE_IMAGE_LISTED_MARKED;
}

bool isUnlistedFolder(int image) {
  return image == REMOTE_IMAGE_FOLDER || image == REMOTE_IMAGE_FOLDER_MARKED;
}

QTreeWidgetItem *firstMarked(QTreeWidgetItem *item) {
  if (!item) return nullptr;
  if (isMarked(treeImage(item))) return item;
  for (int i = 0; i < item->childCount(); ++i)
    if (QTreeWidgetItem *found = firstMarked(item->child(i))) return found;
  return nullptr;
}

bool underSubdomain(const QTreeWidgetItem *item) {
  for (const QTreeWidgetItem *at = item; at; at = at->parent())
    if (isMarked(treeImage(at))) return true;
  return false;
}

} // namespace

SheetRemotePgMain::SheetRemotePgMain(ProjectSheet &sheet, QWidget *parent)
    : QWidget(parent), sheet_(sheet), tree_(new FileTree(this)) {
  tree_->setObjectName(QStringLiteral("tree"));
  tree_->setIconSize(TreeImageStrip::remote().cellSize());
  connect(tree_, &FileTree::rightClicked, this, &SheetRemotePgMain::openMenu);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &SheetRemotePgMain::selectionChanged);
  tree_->setGeometry(deflated(rect(), 8, 8, 8, 8));
}

void SheetRemotePgMain::clear() {
  guiCall([this] {
    tree_->clear();
    root_ = nullptr;
  });
}

void SheetRemotePgMain::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  tree_->setGeometry(deflated(rect(), 8, 8, 8, 8));
}

bool SheetRemotePgMain::ensureConnected() {
  FtpSite &site = ftpSite();
  if (site.isConnected()) return true;
  return site.reconnect([this](const std::string &question) {
    return askYesNo(this, QString::fromStdString(question));
  });
}

void SheetRemotePgMain::runJob(JobCode code, JobThread &job) {
  if (!ensureConnected()) return;
  switch (code) {
  case JOB_REMOTE_RETRIEVE_ROOT:
    retrieveRoot(job);
    break;
  case JOB_REMOTE_RETRIEVE_FOLDER:
    listIfUnlisted(guiResult([this] { return tree_->currentItem(); }), job);
    break;
  case JOB_REMOTE_RETRIEVE_ALL: {
    QTreeWidgetItem *selected = guiResult([this] { return tree_->currentItem(); });
    if (!selected) return;
    retrieveAll(selected, job);
    guiCall([&] { tree_->scrollToItem(selected); });
    break;
  }
  default:
    break;
  }
}

void SheetRemotePgMain::retrieveRoot(JobThread &job) {
  std::string folder;
  if (!ftpSite().currentFolder(folder)) folder.clear();
  guiCall([&] {
    tree_->clear();
    root_ = new QTreeWidgetItem(tree_);
    setItemName(root_, folder);
    setTreeImage(root_,
                 CurrentRemoteProject.subdomainPath == "/" ? REMOTE_IMAGE_ROOT_MARKED
                                                           : REMOTE_IMAGE_ROOT,
                 TreeImageStrip::remote());
    QSignalBlocker quiet(tree_);
    tree_->setCurrentItem(root_);
  });
  listItem(root_, job);
}

void SheetRemotePgMain::listItem(QTreeWidgetItem *item, JobThread &job) {
  std::string path = guiResult([&] { return itemPathBytes(item); });
  job.setItemText("Retrieving directory", guiResult([&] { return itemPath(item).toStdString(); }),
                  false);
  while (!path.empty() && path.back() == '/')
    path.pop_back();
  // Always fresh from the server; a folder that cannot be listed shows empty.
  FtpListing listing;
  ftpSite().listFolder(path, listing);
  guiCall([&] {
    const TreeImageStrip &strip = TreeImageStrip::remote();
    const std::string &subdomain = CurrentRemoteProject.subdomainPath;
    for (const FtpEntry &entry : listing.entries) {
      if (!entry.isDirectory || entry.name == "." || entry.name == "..") continue;
      auto *child = new QTreeWidgetItem(item);
      setItemName(child, entry.name);
      setTreeImage(child,
                   isSubdomainFolder(itemPath(child), subdomain) ? REMOTE_IMAGE_FOLDER_MARKED
                                                                 : REMOTE_IMAGE_FOLDER,
                   strip);
    }
    for (const FtpEntry &entry : listing.entries) {
      if (entry.isDirectory) continue;
      auto *child = new QTreeWidgetItem(item);
      setItemName(child, entry.name);
      setTreeImage(child, isHtmlFileName(entry.name) ? REMOTE_IMAGE_HTML : REMOTE_IMAGE_FILE,
                   strip);
    }
    item->setExpanded(true);
  });
}

void SheetRemotePgMain::listIfUnlisted(QTreeWidgetItem *item, JobThread &job) {
  if (!item) return;
  const int image = guiResult([&] { return treeImage(item); });
  if (!isUnlistedFolder(image)) return;
  listItem(item, job);
  guiCall([&] {
    setTreeImage(item, image + 4, TreeImageStrip::remote());
    tree_->viewport()->update();
  });
}

void SheetRemotePgMain::retrieveAll(QTreeWidgetItem *item, JobThread &job) {
  if (job.stopRequested()) return;
  listIfUnlisted(item, job);
  const int children = guiResult([&] { return item->childCount(); });
  for (int i = 0; i < children; ++i)
    retrieveAll(guiResult([&] { return item->child(i); }), job);
  guiCall([&] {
    if (item->childCount() > 0) item->setExpanded(true);
  });
}

void SheetRemotePgMain::selectionChanged() {
  QTreeWidgetItem *item = tree_->currentItem();
  if (!item || !isUnlistedFolder(treeImage(item)) || sheet_.jobRunning()) return;
  sheet_.jobs().startJob(this, JOB_REMOTE_RETRIEVE_FOLDER);
}

std::vector<PageMenuItem> SheetRemotePgMain::menuFor(const QTreeWidgetItem *item) const {
  const int image = treeImage(item);
  if (image < 0 || image == REMOTE_IMAGE_FILE) return {};
  return remoteTreeMenu(image == REMOTE_IMAGE_HTML);
}

void SheetRemotePgMain::openMenu(const QPoint &viewportPos, const QPoint &globalPos) {
  QTreeWidgetItem *item = tree_->selectedLabelAt(viewportPos);
  const int command = execPageMenu(this, menuFor(item), globalPos);
  if (command != 0) runCommand(command, item);
}

void SheetRemotePgMain::runCommand(int id, QTreeWidgetItem *item) {
  if (!item) return;
  switch (id) {
  case CMD_REMOTE_ANALYZE_FILE:
  case CMD_REMOTE_ANALYZE_FOLDER:
    analyze(item, false);
    break;
  case CMD_REMOTE_ANALYZE_RECURSIVE:
    analyze(item, true);
    break;
  case CMD_REMOTE_RETRIEVE_ALL:
    if (treeImage(item) == REMOTE_IMAGE_HTML) break;
    if (tree_->currentItem() != item) {
      // The job starts from the selected item; selecting it must not list it alone.
      QSignalBlocker quiet(tree_);
      tree_->setCurrentItem(item);
    }
    sheet_.jobs().startJob(this, JOB_REMOTE_RETRIEVE_ALL);
    break;
  case CMD_REMOTE_COLLAPSE_OTHERS:
    collapseOthers(tree_, item);
    break;
  case CMD_REMOTE_COLLAPSE:
    setExpandedBelow(item, false);
    break;
  case CMD_REMOTE_EXPAND:
    setExpandedBelow(item, true);
    break;
  case CMD_REMOTE_COPY_PATH:
    QApplication::clipboard()->setText(itemFullPath(item));
    break;
  case CMD_REMOTE_BROWSE: {
    const QString address = browseAddressOf(item);
    if (!address.isEmpty()) browseAddress(this, address);
    break;
  }
  case CMD_REMOTE_SET_SUBDOMAIN:
    setSubdomainPath(item);
    break;
  default:
    break;
  }
}

bool SheetRemotePgMain::checkSubdomain(const QTreeWidgetItem *item,
                                       const QString &notUnderMessage) {
  if (CurrentRemoteProject.subdomainPath.empty()) {
    showMessage(this, QStringLiteral("Please select 'subdomain path'\nby reght click the path.\n"));
    return false;
  }
  if (CurrentRemoteProject.subdomainName.empty()) {
    showMessage(
        this, QStringLiteral("Please select 'Subdomain name'\nfrom menu 'Options/Site option'\n"));
    return false;
  }
  if (!underSubdomain(item)) {
    showMessage(this, notUnderMessage);
    return false;
  }
  return true;
}

void SheetRemotePgMain::analyze(QTreeWidgetItem *item, bool recursive) {
  if (!item || sheet_.jobRunning()) return;
  if (!checkSubdomain(item, QStringLiteral("The selected item is not under 'subdomain path'\nso "
                                           "it can not be analyzed.\n")))
    return;
  if (anyWithImage(item, REMOTE_IMAGE_FOLDER, REMOTE_IMAGE_FOLDER_MARKED, recursive)) {
    showMessage(this, QStringLiteral("Please retriev all files under the directory"));
    return;
  }
  QString folder;
  QStringList pages;
  if (treeImage(item) == REMOTE_IMAGE_HTML) {
    folder = itemPath(item->parent());
    pages.append(itemPath(item).mid(folder.isEmpty() ? 0 : folder.size() + 1));
  } else {
    folder = itemPath(item);
    pages = collectPages(item, REMOTE_IMAGE_HTML, recursive);
  }
  if (pages.isEmpty()) {
    showMessage(this, QStringLiteral("Can not find any supported files to analyze"));
    return;
  }
  sheet_.analyzeFiles(folder, pages);
}

QString SheetRemotePgMain::browseAddressOf(QTreeWidgetItem *item) {
  if (!item) return {};
  if (!checkSubdomain(item, QStringLiteral("The selected item is not under 'subdomain path'\nso "
                                           "it can not be displayed.\n")))
    return {};
  return remoteBrowseAddress(CurrentRemoteProject.subdomainName, CurrentRemoteProject.subdomainPath,
                             itemPath(item));
}

void SheetRemotePgMain::setSubdomainPath(QTreeWidgetItem *item) {
  if (!item || treeImage(item) == REMOTE_IMAGE_HTML || treeImage(item) == REMOTE_IMAGE_FILE) return;
  const std::string path = item->parent() ? subdomainPathOf(itemPath(item)) : std::string("/");
  CurrentRemoteProject.subdomainPath = path;
  RemoteProjectStore store;
  store.changeSelected(RemoteField::SubdomainPath, path);
  if (isMarked(treeImage(item))) return;
  const TreeImageStrip &strip = TreeImageStrip::remote();
  if (QTreeWidgetItem *old = firstMarked(root_)) setTreeImage(old, treeImage(old) - 2, strip);
  setTreeImage(item, treeImage(item) + 2, strip);
  tree_->viewport()->update();
}

} // namespace linkmoor
