#include "workspace/file_tree.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

namespace linkmoor {

FileTree::FileTree(QWidget *parent) : QTreeWidget(parent) {
  setColumnCount(1);
  header()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformRowHeights(true);
  setIconSize(QSize(16, 16));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
}

QRect FileTree::labelRect(const QTreeWidgetItem *item) const {
  if (!item) return {};
  const QModelIndex index = indexFromItem(item);
  const QRect cell = visualRect(index);
  if (!cell.isValid()) return {};
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = cell;
  option.index = index;
  option.text = item->text(0);
  option.icon = item->icon(0);
  option.features |= QStyleOptionViewItem::HasDisplay;
  if (!option.icon.isNull()) option.features |= QStyleOptionViewItem::HasDecoration;
  option.decorationSize = iconSize();
  QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  text.setWidth(std::min(text.width(), fontMetrics().horizontalAdvance(option.text) + 2 * margin));
  return text;
}

QTreeWidgetItem *FileTree::selectedLabelAt(const QPoint &viewportPos) const {
  QTreeWidgetItem *selected = currentItem();
  if (!selected || !selected->isSelected()) return nullptr;
  return labelRect(selected).contains(viewportPos) ? selected : nullptr;
}

void FileTree::mousePressEvent(QMouseEvent *event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

void FileTree::contextMenuEvent(QContextMenuEvent *event) {
  emit rightClicked(event->pos(), event->globalPos());
}

} // namespace linkmoor
