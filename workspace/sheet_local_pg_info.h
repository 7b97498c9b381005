#pragma once
// The local sheet's info page: the chosen pages of the project's folder, analysed on
// disk (job 100), with "F-link" over the file-link columns.

#include "workspace/summary_page.h"

namespace linkmoor {

/// Page 1 of `SheetLocal`.
class SheetLocalPgInfo : public SummaryPage {
  Q_OBJECT
public:
  /// The page of `sheet`.
  explicit SheetLocalPgInfo(ProjectSheet &sheet, QWidget *parent = nullptr);
};

} // namespace linkmoor
