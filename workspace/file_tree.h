#pragma once
// The tree control of the main pages. A right click does not move the selection: the
// page's menu acts on the selected item, and only opens when the click hits its label.

#include <QTreeWidget>

namespace linkmoor {

/// The folder tree of a main page.
class FileTree : public QTreeWidget {
  Q_OBJECT
public:
  /// An empty tree with one column and no header.
  explicit FileTree(QWidget *parent = nullptr);

  /// The rectangle of `item`'s label (its text, not its picture) in viewport
  /// coordinates; empty for a hidden item or null.
  QRect labelRect(const QTreeWidgetItem *item) const;
  /// The selected item if `viewportPos` lies on its label, else null.
  QTreeWidgetItem *selectedLabelAt(const QPoint &viewportPos) const;

signals:
  /// A right click at `viewportPos` (viewport coordinates), `globalPos` on the screen.
  void rightClicked(const QPoint &viewportPos, const QPoint &globalPos);

protected:
  void mousePressEvent(QMouseEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;
};

} // namespace linkmoor
