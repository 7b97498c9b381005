#include "workspace/summary_row.h"

#include "storage/file_name_text.h"

#include <QTableWidget>

namespace linkmoor {

namespace {

QString errorCell(std::int32_t count) { return count == 0 ? QString() : QString::number(count); }

} // namespace

// The data role of a row's first cell that keeps the file's carried name.
constexpr int kCarriedNameRole = Qt::UserRole + 1;

void setRowName(QTableWidget &list, int row, const QString &carried) {
  QTableWidgetItem *cell = list.item(row, 0);
  if (!cell) return;
  cell->setData(kCarriedNameRole, carried);
  cell->setText(QString::fromStdString(readableText(bytesOfCarried(carried.toStdString()))));
}

QString rowName(const QTableWidget &list, int row) {
  const QTableWidgetItem *cell = list.item(row, 0);
  if (!cell) return {};
  const QVariant carried = cell->data(kCarriedNameRole);
  return carried.isValid() ? carried.toString() : cell->text();
}

SummaryCells summaryCells(const FileSummary &s) {
  SummaryCells cells;
  cells[0] = QString::number(s.size);
  cells[1] = QString::number(s.errorTotal());
  cells[2] = QString::number(s.tags);
  cells[3] = errorCell(s.tagErrors);
  cells[4] = QString::number(s.scripts);
  cells[5] = errorCell(s.scriptErrors);
  // A page with a syntax error had no link phase: its link counts mean nothing.
  if (s.tagErrors != 0 || s.scriptErrors != 0) return cells;
  cells[6] = QString::number(s.localLinks);
  cells[7] = errorCell(s.localLinksMissing);
  cells[8] = QString::number(s.siteLinks);
  cells[9] = errorCell(s.siteLinksMissing);
  cells[10] = QString::number(s.remoteLinks);
  cells[11] = errorCell(s.remoteLinksMissing);
  return cells;
}

SummaryCells canceledCells() {
  SummaryCells cells;
  cells[0] = kRowCanceled;
  return cells;
}

SummaryCells notAnalyzedCells(const std::string &sizeText) {
  SummaryCells cells;
  cells[0] = QString::fromStdString(sizeText);
  return cells;
}

bool rowHasErrors(const QString &column2) {
  // Read as a decimal number from its start, as a C library would: "3" is 3, "" and
  // "x" are 0.
  qlonglong value = 0;
  int i = 0;
  while (i < column2.size() && column2[i].isSpace())
    ++i;
  bool negative = false;
  if (i < column2.size() && (column2[i] == QLatin1Char('-') || column2[i] == QLatin1Char('+')))
    negative = column2[i++] == QLatin1Char('-');
  for (; i < column2.size() && column2[i] >= QLatin1Char('0') && column2[i] <= QLatin1Char('9');
       ++i)
    value = std::min<qlonglong>(value * 10 + (column2[i].unicode() - '0'), 1LL << 40);
  return !negative && value > 0;
}

} // namespace linkmoor
