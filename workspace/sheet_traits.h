#pragma once
// What tells the local sheet and its remote twin apart: captions, job codes and the
// remote flag of the analysis passes. The pages are written once and read these.

#include "app/job_code.h"

#include <QString>
#include <array>

namespace linkmoor {

/// The differences between the two kinds of workspace sheet.
struct SheetTraits {
  /// True for the remote sheet: the analyses read the download folder and check
  /// every link over HTTP.
  bool remote = false;
  /// The sheet's window caption: "Local" or "Host".
  QString sheetCaption;
  /// Tab captions in page order: main, info, desc, edit.
  std::array<QString, 4> pageCaptions;
  /// The summary header over the site-link columns: "F-link" or "S-link".
  QString siteLinkCaption;
  /// The edit page's button: "Save" or "Save and Upload".
  QString saveCaption;
  /// Analyse the listed files (100 or 57).
  JobCode analyzeJob = JOB_LOCAL_ANALYZE;
  /// Save the edited page (101 or 58).
  JobCode saveJob = JOB_LOCAL_SAVE;
  /// Show a file's error list and text (102 or 53).
  JobCode showFileJob = JOB_LOCAL_SHOW_FILE;
  /// Analyse the selected row again (103 or 59).
  JobCode refreshJob = JOB_LOCAL_REFRESH_FILE;
};

/// The local sheet's traits.
const SheetTraits &localSheetTraits();
/// The remote sheet's traits.
const SheetTraits &remoteSheetTraits();

} // namespace linkmoor
