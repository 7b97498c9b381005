#pragma once
// The local sheet's desc page: the error rows of the file shown on the sheet.

#include "workspace/error_page.h"

namespace linkmoor {

/// Page 2 of `SheetLocal`.
class SheetLocalPgDesc : public ErrorPage {
  Q_OBJECT
public:
  /// The page of `sheet`.
  explicit SheetLocalPgDesc(ProjectSheet &sheet, QWidget *parent = nullptr);
};

} // namespace linkmoor
