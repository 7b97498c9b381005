#include "workspace/report_list.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QStyle>

namespace linkmoor {

ReportList::ReportList(int columns, const QStringList &headers, QWidget *parent)
    : QTableWidget(0, columns, parent) {
  setShowGrid(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setTextElideMode(Qt::ElideRight);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setCornerButtonEnabled(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 5);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  if (headers.isEmpty())
    horizontalHeader()->hide();
  else
    setHorizontalHeaderLabels(headers);
}

QString ReportList::cellText(int row, int column) const {
  const QTableWidgetItem *cell = item(row, column);
  return cell ? cell->text() : QString();
}

void ReportList::setCellText(int row, int column, const QString &text) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
  if (QTableWidgetItem *cell = item(row, column)) {
    cell->setText(text);
    return;
  }
  setItem(row, column, new QTableWidgetItem(text));
}

int ReportList::appendRow(const QString &text) {
  const int row = rowCount();
  insertRow(row);
  setCellText(row, 0, text);
  return row;
}

int ReportList::selectedRow() const {
  const QList<QTableWidgetItem *> cells = selectedItems();
  if (!cells.isEmpty()) return cells.first()->row();
  const QModelIndexList rows =
      selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
  return rows.isEmpty() ? -1 : rows.first().row();
}

void ReportList::setColumnWidths(std::span<const int> widths) {
  for (std::size_t i = 0; i < widths.size() && static_cast<int>(i) < columnCount(); ++i)
    setColumnWidth(static_cast<int>(i), widths[i]);
}

int ReportList::scrollBarWidth() const {
  return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void ReportList::contextMenuEvent(QContextMenuEvent *event) {
  const int row = rowAt(event->pos().y());
  if (row < 0 || event->pos().y() < 0) return;
  emit rowContextMenu(row, event->globalPos());
}

} // namespace linkmoor
