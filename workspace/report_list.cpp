#include "workspace/report_list.h"

#include "app/gui_call.h"
#include "workspace/workspace_geometry.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QScrollBar>
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
  // Whole rows only: the top row always starts at the top edge, so no slice of a row
  // shows there, whatever the list scrolled to.
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
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
  assertGuiThread("ReportList::setCellText");
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
  noteText(column, text);
  if (QTableWidgetItem *cell = item(row, column)) {
    cell->setText(text);
    return;
  }
  setItem(row, column, new QTableWidgetItem(text));
}

void ReportList::noteText(int column, const QString &text) {
  if (textWidths_.size() < static_cast<std::size_t>(columnCount()))
    textWidths_.resize(static_cast<std::size_t>(columnCount()), 0);
  // Widths only grow while rows are filled; emptying the list starts again.
  const int width = fontMetrics().horizontalAdvance(text) + cellPadding();
  int &widest = textWidths_[static_cast<std::size_t>(column)];
  if (text.isEmpty() || width <= widest) return;
  widest = width;
  if (neededWidth(column) > columnWidth(column)) fitColumns();
}

void ReportList::removeAllRows() {
  assertGuiThread("ReportList::removeAllRows");
  setRowCount(0);
  textWidths_.assign(textWidths_.size(), 0);
  fitColumns();
}

int ReportList::appendRow(const QString &text) {
  assertGuiThread("ReportList::appendRow");
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

void ReportList::setColumnProportions(std::span<const int> multiples) {
  multiples_.assign(multiples.begin(), multiples.end());
  fitColumns();
}

void ReportList::setExtraMinimums(std::span<const int> minimums) {
  extraMinimums_.assign(minimums.begin(), minimums.end());
  fitColumns();
}

int ReportList::cellPadding() const {
  // The item text keeps the focus-frame margin and one pixel on each side; the grid
  // line takes one more pixel of the column, and one pixel spare.
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  return 2 * margin + 2;
}

int ReportList::neededWidth(int column) const {
  const auto c = static_cast<std::size_t>(column);
  int need = c < textWidths_.size() ? textWidths_[c] : 0;
  if (c < extraMinimums_.size()) need = std::max(need, extraMinimums_[c]);
  if (!horizontalHeader()->isHidden())
    need = std::max(need, horizontalHeader()->sectionSizeHint(column));
  return need;
}

std::vector<int> ReportList::columnWidths() const {
  std::vector<int> widths;
  for (int c = 0; c < columnCount(); ++c)
    widths.push_back(columnWidth(c));
  return widths;
}

void ReportList::fitColumns() {
  if (multiples_.empty()) return;
  if (fitting_) {
    // A size change while the widths are set (a scroll bar came or went): once more.
    fitAgain_ = true;
    return;
  }
  fitting_ = true;
  do {
    fitAgain_ = false;
    std::vector<int> minimum;
    for (int c = 0; c < columnCount(); ++c)
      minimum.push_back(neededWidth(c));
    const std::vector<int> widths = fitColumnWidths(multiples_, minimum, viewport()->width());
    for (std::size_t i = 0; i < widths.size() && static_cast<int>(i) < columnCount(); ++i)
      if (columnWidth(static_cast<int>(i)) != widths[i])
        setColumnWidth(static_cast<int>(i), widths[i]);
  } while (fitAgain_);
  fitting_ = false;
  emit columnsFitted();
}

void ReportList::resizeEvent(QResizeEvent *event) {
  QTableWidget::resizeEvent(event);
  fitColumns();
}

void ReportList::scrollContentsBy(int dx, int dy) {
  QTableWidget::scrollContentsBy(dx, dy);
  if (dy != 0) alignTopRow();
}

void ReportList::updateGeometries() {
  QTableWidget::updateGeometries();
  alignTopRow();
}

void ReportList::alignTopRow() {
  if (verticalScrollMode() != QAbstractItemView::ScrollPerItem || rowCount() == 0) return;
  QHeaderView *rows = verticalHeader();
  const int offset = rows->offset();
  rows->setOffsetToSectionPosition(verticalScrollBar()->value());
  if (rows->offset() != offset) viewport()->update();
}

void ReportList::contextMenuEvent(QContextMenuEvent *event) {
  const int row = rowAt(event->pos().y());
  if (row < 0 || event->pos().y() < 0) return;
  emit rowContextMenu(row, event->globalPos());
}

} // namespace linkmoor
