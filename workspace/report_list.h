#pragma once
// The list control of the workspace pages in report view: rows of text cells with
// grid lines and whole-row selection, one row selected at a time, nothing editable.

#include <QString>
#include <QTableWidget>
#include <span>

namespace linkmoor {

/// A list in report view.
class ReportList : public QTableWidget {
  Q_OBJECT
public:
  /// A list of `columns` columns, with a header of `headers` (one per column) or, when
  /// `headers` is empty, without a header of its own.
  ReportList(int columns, const QStringList &headers, QWidget *parent = nullptr);

  /// The text of a cell; empty for a cell that does not exist.
  QString cellText(int row, int column) const;
  /// Sets the text of a cell of an existing row (nothing outside the list).
  void setCellText(int row, int column, const QString &text);
  /// Appends a row whose first cell holds `text`; returns its index.
  int appendRow(const QString &text);
  /// Removes every row.
  void removeAllRows() { setRowCount(0); }
  /// The selected row, or -1.
  int selectedRow() const;
  /// Sets the widths of the first columns.
  void setColumnWidths(std::span<const int> widths);
  /// The width of a vertical scroll bar in this list's style.
  int scrollBarWidth() const;

signals:
  /// A right click on `row` (never on empty space) at `globalPos`.
  void rowContextMenu(int row, const QPoint &globalPos);

protected:
  void contextMenuEvent(QContextMenuEvent *event) override;
};

} // namespace linkmoor
