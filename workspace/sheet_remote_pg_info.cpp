#include "workspace/sheet_remote_pg_info.h"

#include "app/gui_call.h"
#include "app/job_thread.h"
#include "app/message_box.h"
#include "engine/html_scanner.h"
#include "platform/ftp_site.h"
#include "storage/current_projects.h"
#include "storage/file_name_text.h"
#include "workspace/browse.h"
#include "workspace/project_sheet.h"
#include "workspace/remote_paths.h"
#include "workspace/report_list.h"
#include "workspace/summary_row.h"

namespace linkmoor {

SheetRemotePgInfo::SheetRemotePgInfo(ProjectSheet &sheet, QWidget *parent)
    : SummaryPage(sheet, parent) {
  list()->setObjectName(QStringLiteral("summaryList"));
}

bool SheetRemotePgInfo::downloadRow(int row, JobThread &job) {
  setRowStatus(row, kRowWaiting);
  const std::string path = guiResult([&] { return rowPath(row); });
  std::string result;
  const bool copied =
      ftpSite().downloadFile(CurrentRemoteProject.downloadFolder(), bytesOfCarried(path), result,
                             [&job](const std::string &action, const std::string &item) {
                               job.setItemText(action, item, false);
                             });
  guiCall([&] {
    list()->setCellText(row, 1, QString::fromStdString(result));
    list()->setCellText(row, 2, QString());
  });
  return copied;
}

void SheetRemotePgInfo::analyzeAll(JobThread &job) {
  FtpSite &site = ftpSite();
  if (!site.isConnected() && !site.reconnect([this](const std::string &question) {
        return askYesNo(this, QString::fromStdString(question));
      })) {
    cancelRowsFrom(0);
    return;
  }
  HtmlScanner scanner;
  std::unique_ptr<LinkChecker> checker = sheet().makeChecker(job);
  const int rows = rowCount();
  int row = 0;
  for (; row < rows; ++row) {
    if (job.stopRequested()) break;
    if (!downloadRow(row, job)) continue;
    const bool stopped = analyzeRow(row, job, scanner, *checker, false);
    showRow(row);
    if (stopped) break;
  }
  if (row < rows) {
    showRow(row);
    cancelRowsFrom(row);
  }
}

void SheetRemotePgInfo::refreshSelected(JobThread &job) {
  const int row = guiResult([this] { return list()->selectedRow(); });
  if (row < 0) return;
  if (!ftpSite().isConnected()) {
    showMessage(this,
                QStringLiteral("Please reconnect to website,\nbecause it was disconnected.\n"));
    return;
  }
  showRow(row);
  downloadRow(row, job);
  HtmlScanner scanner;
  std::unique_ptr<LinkChecker> checker = sheet().makeChecker(job);
  analyzeRow(row, job, scanner, *checker, true);
}

void SheetRemotePgInfo::browseRow(int row) {
  browseAddress(this, remoteBrowseAddress(CurrentRemoteProject.subdomainName,
                                          CurrentRemoteProject.subdomainPath,
                                          folder() + rowName(*list(), row)));
}

} // namespace linkmoor
