#pragma once
// What the tree pages need to know of their items: the image index, which is also
// the item's kind, the path of an item relative to the root, and the walks that
// collect pages and fold branches.

#include <QString>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

namespace linkmoor {

class TreeImageStrip;

/// The image index of `item` (-1 for null).
int treeImage(const QTreeWidgetItem *item);
/// Gives `item` the image index `image` and its two pictures from `strip`.
void setTreeImage(QTreeWidgetItem *item, int image, const TreeImageStrip &strip);

/// The item's relative path (`itemPath`): the texts of the item and its ancestors below
/// the root item, from the top down, joined with "/"; empty for the root item.
QString itemPath(const QTreeWidgetItem *item);
/// The item's full path: the root item's text, "/" unless that text ends with "/",
/// then `itemPath`; the root item's text alone for the root item.
QString itemFullPath(const QTreeWidgetItem *item);

/// The pages below `folder` in tree order, as paths relative to it: every child with
/// `pageImage`, and, when `recursive`, the pages of every child searched in turn,
/// depth first, before the next child.
QStringList collectPages(const QTreeWidgetItem *folder, int pageImage, bool recursive);
/// True when `item` or any item below it (when `below`) has one of the two images.
bool anyWithImage(const QTreeWidgetItem *item, int first, int second, bool below);

/// Expands (or collapses) `item` and every item below it.
void setExpandedBelow(QTreeWidgetItem *item, bool expanded);
/// Collapses the whole tree from its top items down, then expands `item` and each of
/// its ancestors, and selects `item`.
void collapseOthers(QTreeWidget *tree, QTreeWidgetItem *item);

} // namespace linkmoor
