#include "workspace/summary_page.h"

#include "app/gui_call.h"
#include "app/job_thread.h"
#include "app/message_box.h"
#include "engine/analysis_pass.h"
#include "engine/html_scanner.h"
#include "storage/current_projects.h"
#include "workspace/browse.h"
#include "workspace/extension_stats.h"
#include "workspace/project_sheet.h"
#include "workspace/report_list.h"
#include "workspace/summary_header.h"
#include "workspace/workspace_geometry.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <sys/stat.h>

namespace linkmoor {

namespace {

bool namesFolder(const std::string &fullPath) {
  struct stat info {};
  return stat(fullPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

SummaryPage::SummaryPage(ProjectSheet &sheet, QWidget *parent)
    : QWidget(parent), sheet_(sheet), list_(new ReportList(13, {}, this)) {
  list_->setObjectName(QStringLiteral("summaryList"));
  list_->setFrameShape(QFrame::NoFrame);
  connect(list_, &ReportList::rowContextMenu, this, &SummaryPage::openMenu);
  // The drawn header follows the columns: their widths and the sideways scrolling.
  connect(list_, &ReportList::columnsFitted, this, &SummaryPage::takeColumnWidths);
  connect(list_->horizontalScrollBar(), &QScrollBar::valueChanged, this,
          qOverload<>(&QWidget::update));
  list_->setColumnProportions(kSummaryMultiples);
  fitHeaderTexts();
  layoutList();
}

void SummaryPage::clear() {
  guiCall([this] {
    list_->removeAllRows();
    folder_.clear();
    fitHeaderTexts();
    update();
  });
}

void SummaryPage::listFiles(const QString &folder, const QStringList &files) {
  clear();
  QString base = folder;
  if (sheet_.traits().remote)
    while (base.endsWith(QLatin1Char('/')))
      base.chop(1);
  folder_ = base.isEmpty() ? QString() : base + QLatin1Char('/');
  fitHeaderTexts();
  for (const QString &file : files)
    setRowName(*list_, list_->appendRow(file), file);
  repaint();
  sheet_.jobs().startJob(this, sheet_.traits().analyzeJob);
}

int SummaryPage::findRow(const std::string &path) const {
  const QString whole = QString::fromStdString(path);
  const QString rest = whole.mid(folder_.size());
  for (int row = 0; row < list_->rowCount(); ++row)
    if (rowName(*list_, row) == rest) return row;
  return -1;
}

std::string SummaryPage::rowPath(int row) const {
  return (folder_ + rowName(*list_, row)).toStdString();
}

void SummaryPage::updateSummaryRow(const std::string &path, const FileSummary &summary) {
  const SummaryCells cells = summaryCells(summary);
  guiCall([&] {
    const int row = findRow(path);
    if (row >= 0) setRowCells(row, cells);
  });
}

void SummaryPage::markRowCanceled(const std::string &path) {
  guiCall([&] {
    const int row = findRow(path);
    if (row >= 0) setRowCells(row, canceledCells());
  });
}

void SummaryPage::setRowCells(int row, const SummaryCells &cells) {
  guiCall([&] {
    for (int c = 0; c < 12; ++c)
      list_->setCellText(row, c + 1, cells[static_cast<std::size_t>(c)]);
  });
}

void SummaryPage::setRowStatus(int row, const QString &status) {
  guiCall([&] { list_->setCellText(row, 1, status); });
}

void SummaryPage::cancelRowsFrom(int first) {
  guiCall([&] {
    for (int row = std::max(0, first); row < list_->rowCount(); ++row)
      setRowCells(row, canceledCells());
  });
}

void SummaryPage::showRow(int row) {
  guiCall([&] {
    if (QTableWidgetItem *cell = list_->item(row, 0)) list_->scrollToItem(cell);
  });
}

int SummaryPage::rowCount() const {
  return guiResult([this] { return list_->rowCount(); });
}

bool SummaryPage::analyzeRow(int row, JobThread &job, HtmlScanner &scanner, LinkChecker &checker,
                             bool stopCancels) {
  setRowStatus(row, kRowWaiting);
  const std::string path =
      guiResult([&] { return row < list_->rowCount() ? rowPath(row) : std::string(); });
  // Pages are analysed; so is a folder handed on because it cannot be read, which
  // then reads "open" instead of waiting for ever.
  if (!ExtensionStats::isSupported(ExtensionStats::extensionOf(path)) &&
      !namesFolder(projectFilePath(path, sheet_.traits().remote)))
    return false;

  FileSummary summary;
  PassContext context(sheet_.traits().remote, job, checker);
  const int analysed = findGeneralInfo(scanner, path, summary, context);
  if (context.skip || (context.stop && stopCancels))
    setRowCells(row, canceledCells());
  else if (analysed)
    setRowCells(row, summaryCells(summary));
  else
    setRowCells(row, notAnalyzedCells(summary.sizeText));
  return context.stop != 0;
}

void SummaryPage::runJob(JobCode code, JobThread &job) {
  // Every page of the job asks the same checker: an address linked from many pages
  // is requested once per job.
  const ProjectSheet::JobChecks checks(sheet_, job);
  if (code == sheet_.traits().analyzeJob) analyzeAll(job);
}

void SummaryPage::analyzeAll(JobThread &job) {
  HtmlScanner scanner;
  std::unique_ptr<LinkChecker> checker = sheet_.makeChecker(job);
  const int rows = rowCount();
  for (int row = 0; row < rows; ++row) {
    // A Stop pressed while pages without links were read is honoured at the next row.
    if (job.stopRequested()) {
      cancelRowsFrom(row);
      return;
    }
    const bool stopped = analyzeRow(row, job, scanner, *checker, false);
    showRow(row);
    if (stopped) {
      cancelRowsFrom(row);
      return;
    }
  }
}

void SummaryPage::refreshSelected(JobThread &job) {
  const int row = guiResult([this] { return list_->selectedRow(); });
  if (row < 0) return;
  showRow(row);
  HtmlScanner scanner;
  std::unique_ptr<LinkChecker> checker = sheet_.makeChecker(job);
  // A stopped refresh has only part of the counts: the row says canceled.
  analyzeRow(row, job, scanner, *checker, true);
}

std::vector<PageMenuItem> SummaryPage::menuFor(int row) const {
  if (row < 0 || row >= list_->rowCount()) return {};
  return summaryMenu(sheet_.jobRunning());
}

void SummaryPage::openMenu(int row, const QPoint &globalPos) {
  const std::vector<PageMenuItem> items = menuFor(row);
  const int command = execPageMenu(this, items, globalPos);
  if (command != 0) runCommand(command, row);
}

void SummaryPage::runCommand(int id, int row) {
  if (row < 0 || row >= list_->rowCount()) return;
  switch (id) {
  case CMD_EDIT_SHOW_DESCRIPTION:
    if (!sheet_.jobRunning()) editRow(row);
    break;
  case CMD_REFRESH_FILE:
    list_->selectRow(row);
    sheet_.refreshFile();
    break;
  case CMD_BROWSE_ROW:
    browseRow(row);
    break;
  default:
    break;
  }
}

void SummaryPage::browseRow(int row) {
  browseAddress(this,
                localBrowseAddress(CurrentLocalProject.rootPath, folder_ + rowName(*list_, row)));
}

void SummaryPage::editRow(int row) {
  const QString status = list_->cellText(row, 1);
  const bool hasErrors = rowHasErrors(list_->cellText(row, 2));
  if (status == kRowCanceled) {
    showMessage(this, QStringLiteral("Canceled file can not be edited"));
    return;
  }
  if (!hasErrors &&
      !askYesNo(this, QStringLiteral("Can not find errors for the file,\ndo you still want to "
                                     "edit it?\n")))
    return;
  sheet_.showFile(rowPath(row), hasErrors);
}

void SummaryPage::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  SummaryHeader::paint(painter, listRect_, widths_, folder_, sheet_.traits().siteLinkCaption,
                       list_->horizontalScrollBar()->value());
}

void SummaryPage::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  layoutList();
}

void SummaryPage::layoutList() {
  listRect_ = summaryListRect(rect());
  list_->setGeometry(listRect_);
  takeColumnWidths();
}

void SummaryPage::fitHeaderTexts() {
  list_->setExtraMinimums(SummaryHeader::minimumWidths(QFontMetrics(QApplication::font()), folder_,
                                                       sheet_.traits().siteLinkCaption));
}

void SummaryPage::takeColumnWidths() {
  for (int c = 0; c < 13; ++c)
    widths_[static_cast<std::size_t>(c)] = list_->columnWidth(c);
  update();
}

} // namespace linkmoor
