#pragma once
// The remote sheet's desc page: the error rows of the file shown on the sheet.

#include "workspace/error_page.h"

namespace linkmoor {

/// Page 2 of `SheetRemote`.
class SheetRemotePgDesc : public ErrorPage {
  Q_OBJECT
public:
  /// The page of `sheet`.
  explicit SheetRemotePgDesc(ProjectSheet &sheet, QWidget *parent = nullptr);
};

} // namespace linkmoor
