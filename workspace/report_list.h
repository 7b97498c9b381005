#pragma once
// The list control of the workspace pages in report view: rows of text cells with
// grid lines and whole-row selection, one row selected at a time, nothing editable.
// Its columns keep their proportions while every text fits, are never narrower than
// their widest text and header, and fill the list's width to its right edge; beyond
// that the list scrolls sideways.

#include <QString>
#include <QTableWidget>
#include <span>
#include <vector>

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
  void removeAllRows();
  /// The selected row, or -1.
  int selectedRow() const;
  /// Sets the proportions of the columns (one multiple per column) and fits them.
  void setColumnProportions(std::span<const int> multiples);
  /// Sets further smallest widths, one per column (a header drawn over the list by its
  /// page), and fits the columns again.
  void setExtraMinimums(std::span<const int> minimums);
  /// The width `column` needs: its widest text, its own header and the extra minimum.
  int neededWidth(int column) const;
  /// The widths of all columns as fitted.
  std::vector<int> columnWidths() const;
  /// The pixels a cell adds around its text (margins and grid line).
  int cellPadding() const;
  /// Fits the columns to the width of the rows' area (the viewport).
  void fitColumns();

signals:
  /// The columns were fitted again (their widths may have changed).
  void columnsFitted();

  /// A right click on `row` (never on empty space) at `globalPos`.
  void rowContextMenu(int row, const QPoint &globalPos);

protected:
  void contextMenuEvent(QContextMenuEvent *event) override;
  /// Receives the viewport's size changes (also when a scroll bar comes or goes).
  void resizeEvent(QResizeEvent *event) override;
  /// Scrolls, keeping the top row whole (see `alignTopRow`).
  void scrollContentsBy(int dx, int dy) override;
  /// Lays out the scroll bars, keeping the top row whole.
  void updateGeometries() override;

private:
  void noteText(int column, const QString &text);
  // Scrolled to its end, the table view lines the last row up with the bottom edge and
  // leaves a slice of a row at the top; this puts the row of the scroll bar's value at
  // the top edge instead, as on every other position.
  void alignTopRow();

  std::vector<int> multiples_;
  std::vector<int> textWidths_;
  std::vector<int> extraMinimums_;
  bool fitting_ = false;
  bool fitAgain_ = false;
};

} // namespace linkmoor
