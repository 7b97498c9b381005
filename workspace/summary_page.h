#pragma once
// The info page of a workspace sheet: the files the main page handed over, one row
// each, analysed on the worker thread by the general pass, with the counts of tags,
// scripts and links and their errors. From a row the user opens the file's error list
// and editor, analyses it again or browses it. The local page and its remote twin
// share this class; the twin changes how one row is analysed.

#include "app/job_owner.h"
#include "engine/file_summary.h"
#include "workspace/page_menu.h"
#include "workspace/summary_row.h"

#include <QRect>
#include <QStringList>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

namespace linkmoor {

class HtmlScanner;
class LinkChecker;
class ProjectSheet;
class ReportList;

/// Page 1 of a workspace sheet.
class SummaryPage : public QWidget, public JobOwner {
  Q_OBJECT
public:
  /// The page of `sheet`, with an empty list.
  explicit SummaryPage(ProjectSheet &sheet, QWidget *parent = nullptr);

  /// The list (13 columns, no header of its own).
  ReportList *list() const { return list_; }
  /// The folder of the listed files followed by "/", or empty.
  const QString &folder() const { return folder_; }
  /// The list's rectangle as last laid out; the header is drawn above it.
  QRect listRect() const { return listRect_; }
  /// The widths of the 13 columns as the list last fitted them.
  const std::array<int, 13> &columnWidths() const { return widths_; }

  /// Empties the list and `folder`. Any thread.
  void clear();
  /// Lists `files` (relative to `folder`), repaints at once and starts the analysis job.
  void listFiles(const QString &folder, const QStringList &files);
  /// Fills the row of the project path `path` from `summary` (nothing without such a
  /// row). Any thread.
  void updateSummaryRow(const std::string &path, const FileSummary &summary);
  /// Marks the row of `path` canceled. Any thread.
  void markRowCanceled(const std::string &path);
  /// The row of the project path `path`: `folder`'s length cut from its front, then the
  /// first row whose file equals the rest; -1 when there is none. GUI thread.
  int findRow(const std::string &path) const;
  /// The project path of `row`: `folder` followed by the row's file. GUI thread.
  std::string rowPath(int row) const;

  /// The context menu of a row.
  std::vector<PageMenuItem> menuFor(int row) const;
  /// Runs the menu command `id` on `row`.
  void runCommand(int id, int row);

  /// The analysis job (100 or 57) on the worker thread.
  void runJob(JobCode code, JobThread &job) override;
  /// Analyses the selected row again (jobs 103 and 59); worker thread.
  virtual void refreshSelected(JobThread &job);

protected:
  /// "Browse the file" on `row`: the local page opens the project file.
  virtual void browseRow(int row);
  /// Analyses `row` (worker thread): "wait ...", then, for an HTML page, the general
  /// pass and the row filled from its summary, marked canceled when the pass was
  /// skipped (or, when `stopCancels`, stopped). Returns true when the pass was stopped.
  virtual bool analyzeRow(int row, JobThread &job, HtmlScanner &scanner, LinkChecker &checker,
                          bool stopCancels);
  /// Job 100's loop over every row; the twin replaces it with job 57's.
  virtual void analyzeAll(JobThread &job);
  /// Writes columns 1 to 12 of `row`. Any thread.
  void setRowCells(int row, const SummaryCells &cells);
  /// Sets column 1 of `row` alone. Any thread.
  void setRowStatus(int row, const QString &status);
  /// Marks rows `first` to the last canceled. Any thread.
  void cancelRowsFrom(int first);
  /// Scrolls `row` into view. Any thread.
  void showRow(int row);
  /// The number of rows. Any thread.
  int rowCount() const;

  ProjectSheet &sheet() const { return sheet_; }

  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  void layoutList();
  // The header's texts (with the folder) as smallest column widths of the list.
  void fitHeaderTexts();
  // Copies the list's fitted column widths for the header and repaints it.
  void takeColumnWidths();
  void openMenu(int row, const QPoint &globalPos);
  void editRow(int row);

  ProjectSheet &sheet_;
  ReportList *list_;
  QString folder_;
  QRect listRect_;
  std::array<int, 13> widths_{};
};

} // namespace linkmoor
