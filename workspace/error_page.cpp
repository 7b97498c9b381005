#include "workspace/error_page.h"

#include "app/gui_call.h"
#include "workspace/report_list.h"
#include "workspace/workspace_geometry.h"

#include <QApplication>
#include <QClipboard>

namespace linkmoor {

ErrorPage::ErrorPage(ProjectSheet &sheet, QWidget *parent)
    : QWidget(parent), sheet_(sheet),
      list_(new ReportList(4,
                           {QStringLiteral("Line"), QStringLiteral("Type"), QStringLiteral("Error"),
                            QStringLiteral("Format or link")},
                           this)) {
  list_->setObjectName(QStringLiteral("errorList"));
  connect(list_, &ReportList::rowContextMenu, this, &ErrorPage::openMenu);
  list_->setColumnProportions(kErrorMultiples);
  layoutList();
}

void ErrorPage::showRecords(const ErrorList &errors, PageEncoding encoding) {
  const std::vector<ErrorCells> rows = errorRows(errors, encoding);
  guiCall([&] {
    list_->removeAllRows();
    for (const ErrorCells &cells : rows) {
      const int row = list_->appendRow(cells[0]);
      for (int c = 1; c < 4; ++c)
        list_->setCellText(row, c, cells[static_cast<std::size_t>(c)]);
    }
  });
}

void ErrorPage::clearRecords() {
  guiCall([this] { list_->removeAllRows(); });
}

std::vector<PageMenuItem> ErrorPage::menuFor(int row) const {
  if (row < 0 || row >= list_->rowCount()) return {};
  return errorMenu();
}

void ErrorPage::runCommand(int id, int row) {
  if (id != CMD_COPY_FORMAT_OR_LINK || row < 0 || row >= list_->rowCount()) return;
  QApplication::clipboard()->setText(list_->cellText(row, 3));
}

void ErrorPage::openMenu(int row, const QPoint &globalPos) {
  const std::vector<PageMenuItem> items = menuFor(row);
  const int command = execPageMenu(this, items, globalPos);
  if (command != 0) runCommand(command, row);
}

void ErrorPage::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  layoutList();
}

void ErrorPage::layoutList() {
  // The list fits its columns to its own width whenever that changes.
  list_->setGeometry(errorListRect(rect()));
}

} // namespace linkmoor
