#pragma once
// What the tree pages need to know of their items: the image index, which is also
// the item's kind, the path of an item relative to the root, and the walks that
// collect pages and fold branches.

#include <QString>
#include <QStringList>
#include <string>

class QTreeWidget;
class QTreeWidgetItem;

namespace linkmoor {

class TreeImageStrip;

/// The image index of `item` (-1 for null).
int treeImage(const QTreeWidgetItem *item);
/// Gives `item` the image index `image` and its two pictures from `strip`.
void setTreeImage(QTreeWidgetItem *item, int image, const TreeImageStrip &strip);

/// Names the item by the bytes of a file name: its text shows them readably
/// (readableText: bytes that are not UTF-8 and control characters as "\xNN"), and
/// the bytes themselves are kept in the item's data, as Qt text cannot carry them.
void setItemName(QTreeWidgetItem *item, const std::string &bytes);
/// The bytes of the item's name: those kept by setItemName, else its text in UTF-8.
std::string itemNameBytes(const QTreeWidgetItem *item);
/// Marks `item` as an entry that could not be read: analysing it gives a row that
/// reads "open".
void markUnreadable(QTreeWidgetItem *item);
/// True when `item` was marked by markUnreadable.
bool isUnreadable(const QTreeWidgetItem *item);

/// The bytes of the item's relative path: the names of the item and its ancestors
/// below the root item, joined with "/"; empty for the root item.
std::string itemPathBytes(const QTreeWidgetItem *item);
/// The item's relative path (`itemPath`): the names of the item and its ancestors
/// below the root item, from the top down, joined with "/"; empty for the root
/// item. Names that are not UTF-8 stand in the carried form of
/// storage/file_name_text.h, which gives their bytes back (bytesOfCarried); a tree
/// of UTF-8 names gives its texts unchanged.
QString itemPath(const QTreeWidgetItem *item);
/// The item's full path as the bytes of the file system: the root item's name,
/// "/" unless that name ends with "/", then `itemPathBytes`.
std::string itemFullPathBytes(const QTreeWidgetItem *item);
/// The item's full path to show: the root item's text, "/" unless that text ends
/// with "/", then the relative path shown readably; the root item's text alone for
/// the root item.
QString itemFullPath(const QTreeWidgetItem *item);

/// The pages below `folder` in tree order, as paths relative to it (in the form of
/// `itemPath`): every child with `pageImage` or marked unreadable, and, when
/// `recursive`, the pages of every child searched in turn, depth first, before the
/// next child.
QStringList collectPages(const QTreeWidgetItem *folder, int pageImage, bool recursive);
/// True when `item` or any item below it (when `below`) has one of the two images.
bool anyWithImage(const QTreeWidgetItem *item, int first, int second, bool below);

/// Expands (or collapses) `item` and every item below it.
void setExpandedBelow(QTreeWidgetItem *item, bool expanded);
/// Collapses the whole tree from its top items down, then expands `item` and each of
/// its ancestors, and selects `item`.
void collapseOthers(QTreeWidget *tree, QTreeWidgetItem *item);

} // namespace linkmoor
