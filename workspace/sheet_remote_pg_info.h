#pragma once
// The remote sheet's info page: each listed page is downloaded from the FTP site into
// the mirror folder before it is analysed (job 57), with "S-link" over the site-link
// columns; a row is analysed again by job 59.

#include "workspace/summary_page.h"

namespace linkmoor {

/// Page 1 of `SheetRemote`.
class SheetRemotePgInfo : public SummaryPage {
  Q_OBJECT
public:
  /// The page of `sheet`.
  explicit SheetRemotePgInfo(ProjectSheet &sheet, QWidget *parent = nullptr);

  /// Job 59: nothing without a selected row; "Please reconnect to website,\nbecause it
  /// was disconnected.\n" when the line is down; else downloads the row's file (a
  /// failed download analyses the copy already in the mirror) and analyses it.
  void refreshSelected(JobThread &job) override;

protected:
  /// Job 57: offers a reconnect (refused: every row canceled), then downloads and
  /// analyses every row; a failed download leaves its status text and goes on.
  void analyzeAll(JobThread &job) override;
  /// Opens the row's page on the live site (http:// + subdomain name + site path).
  void browseRow(int row) override;

private:
  // "wait ...", then the download of `row`'s file; column 1 shows its status text and
  // column 2 is emptied. True when the file was copied.
  bool downloadRow(int row, JobThread &job);
};

} // namespace linkmoor
