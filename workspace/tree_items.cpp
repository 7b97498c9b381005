#include "workspace/tree_items.h"

#include "storage/file_name_text.h"
#include "workspace/tree_image_strip.h"

#include <QByteArray>
#include <QTreeWidget>

namespace linkmoor {

namespace {

constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kNameBytesRole = Qt::UserRole + 2;
constexpr int kUnreadableRole = Qt::UserRole + 3;

QString carried(const std::string &bytes) { return QString::fromStdString(carriedText(bytes)); }

void collectInto(const QTreeWidgetItem *folder, const std::string &prefix, int pageImage,
                 bool recursive, QStringList &pages) {
  for (int i = 0; i < folder->childCount(); ++i) {
    const QTreeWidgetItem *child = folder->child(i);
    const std::string path = prefix + itemNameBytes(child);
    if (treeImage(child) == pageImage || isUnreadable(child)) pages.append(carried(path));
    if (recursive && child->childCount() > 0)
      collectInto(child, path + '/', pageImage, true, pages);
  }
}

} // namespace

int treeImage(const QTreeWidgetItem *item) {
  if (!item) return -1;
  const QVariant image = item->data(0, kImageRole);
  return image.isValid() ? image.toInt() : -1;
}

void setTreeImage(QTreeWidgetItem *item, int image, const TreeImageStrip &strip) {
  if (!item) return;
  item->setData(0, kImageRole, image);
  item->setIcon(0, strip.icon(image));
}

void setItemName(QTreeWidgetItem *item, const std::string &bytes) {
  if (!item) return;
  item->setText(0, QString::fromStdString(readableText(bytes)));
  item->setData(0, kNameBytesRole, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string itemNameBytes(const QTreeWidgetItem *item) {
  if (!item) return {};
  const QVariant bytes = item->data(0, kNameBytesRole);
  if (bytes.isValid()) return bytes.toByteArray().toStdString();
  return item->text(0).toStdString();
}

void markUnreadable(QTreeWidgetItem *item) {
  if (item) item->setData(0, kUnreadableRole, true);
}

bool isUnreadable(const QTreeWidgetItem *item) {
  return item && item->data(0, kUnreadableRole).toBool();
}

std::string itemPathBytes(const QTreeWidgetItem *item) {
  std::string path;
  for (const QTreeWidgetItem *at = item; at && at->parent(); at = at->parent())
    path = path.empty() ? itemNameBytes(at) : itemNameBytes(at) + '/' + path;
  return path;
}

QString itemPath(const QTreeWidgetItem *item) { return carried(itemPathBytes(item)); }

std::string itemFullPathBytes(const QTreeWidgetItem *item) {
  if (!item) return {};
  const QTreeWidgetItem *root = item;
  while (root->parent())
    root = root->parent();
  std::string path = itemNameBytes(root);
  if (root == item) return path;
  if (path.empty() || path.back() != '/') path += '/';
  return path + itemPathBytes(item);
}

QString itemFullPath(const QTreeWidgetItem *item) {
  if (!item) return {};
  const QTreeWidgetItem *root = item;
  while (root->parent())
    root = root->parent();
  if (root == item) return root->text(0);
  QString path = root->text(0);
  if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
  return path + QString::fromStdString(readableText(itemPathBytes(item)));
}

QStringList collectPages(const QTreeWidgetItem *folder, int pageImage, bool recursive) {
  QStringList pages;
  if (folder) collectInto(folder, std::string(), pageImage, recursive, pages);
  return pages;
}

bool anyWithImage(const QTreeWidgetItem *item, int first, int second, bool below) {
  if (!item) return false;
  const int image = treeImage(item);
  if (image == first || image == second) return true;
  if (!below) return false;
  for (int i = 0; i < item->childCount(); ++i)
    if (anyWithImage(item->child(i), first, second, true)) return true;
  return false;
}

void setExpandedBelow(QTreeWidgetItem *item, bool expanded) {
  if (!item) return;
  item->setExpanded(expanded);
  for (int i = 0; i < item->childCount(); ++i)
    setExpandedBelow(item->child(i), expanded);
}

void collapseOthers(QTreeWidget *tree, QTreeWidgetItem *item) {
  if (!tree || !item) return;
  for (int i = 0; i < tree->topLevelItemCount(); ++i)
    setExpandedBelow(tree->topLevelItem(i), false);
  for (QTreeWidgetItem *at = item; at; at = at->parent())
    at->setExpanded(true);
  tree->setCurrentItem(item);
}

} // namespace linkmoor
