#pragma once
// The texts of one row of the info page's list, from a file's summary.

#include "engine/file_summary.h"

#include <QString>
#include <array>

class QTableWidget;

namespace linkmoor {

/// Sets the first cell of `row` to the file `carried` (the carried form of its
/// name, storage/file_name_text.h): it shows the name readably and keeps the
/// carried form as its data, which `rowName` gives back.
void setRowName(QTableWidget &list, int row, const QString &carried);
/// The carried name of the file of `row` (the cell's text when no name was set).
QString rowName(const QTableWidget &list, int row);

/// The cells of columns 1 to 12 of a row (column 0, the file, is not among them).
using SummaryCells = std::array<QString, 12>;

/// The status word of a row being analysed.
inline const QString kRowWaiting = QStringLiteral("wait ...");
/// The status word of a row that was skipped or stopped.
inline const QString kRowCanceled = QStringLiteral("canceled");

/// A row filled from `summary`: size, error total, tags, scripts and, when the file has
/// no tag or script error, the six link counts. Error columns (4, 6, 8, 10, 12) are
/// empty for 0; the total (column 2) always shows its number.
SummaryCells summaryCells(const FileSummary &summary);
/// A canceled row: "canceled" in column 1, every other column empty.
SummaryCells canceledCells();
/// A file that was not analysed: its `sizeText` in column 1, the rest empty.
SummaryCells notAnalyzedCells(const std::string &sizeText);
/// Whether a row's column 2, read as a decimal number, is greater than 0.
bool rowHasErrors(const QString &column2);

} // namespace linkmoor
