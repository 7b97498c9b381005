#include "workspace/tree_items.h"

#include "workspace/tree_image_strip.h"

#include <QTreeWidget>

namespace linkmoor {

namespace {

constexpr int kImageRole = Qt::UserRole + 1;

void collectInto(const QTreeWidgetItem *folder, const QString &prefix, int pageImage,
                 bool recursive, QStringList &pages) {
  for (int i = 0; i < folder->childCount(); ++i) {
    const QTreeWidgetItem *child = folder->child(i);
    if (treeImage(child) == pageImage) pages.append(prefix + child->text(0));
    if (recursive && child->childCount() > 0)
      collectInto(child, prefix + child->text(0) + QLatin1Char('/'), pageImage, true, pages);
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

QString itemPath(const QTreeWidgetItem *item) {
  QStringList segments;
  for (const QTreeWidgetItem *at = item; at && at->parent(); at = at->parent())
    segments.prepend(at->text(0));
  return segments.join(QLatin1Char('/'));
}

QString itemFullPath(const QTreeWidgetItem *item) {
  if (!item) return {};
  const QTreeWidgetItem *root = item;
  while (root->parent())
    root = root->parent();
  if (root == item) return root->text(0);
  QString path = root->text(0);
  if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
  return path + itemPath(item);
}

QStringList collectPages(const QTreeWidgetItem *folder, int pageImage, bool recursive) {
  QStringList pages;
  if (folder) collectInto(folder, QString(), pageImage, recursive, pages);
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
