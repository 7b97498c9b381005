#pragma once
// The local sheet's edit page: "Save" writes the page into the project's folder,
// analyses it again and reports each step in one message.

#include "workspace/edit_page.h"

namespace linkmoor {

/// Page 3 of `SheetLocal`.
class SheetLocalPgEdit : public EditPage {
  Q_OBJECT
public:
  /// The page of `sheet`.
  explicit SheetLocalPgEdit(ProjectSheet &sheet, QWidget *parent = nullptr);

protected:
  /// Job 101: save, the general pass, the description pass, the report.
  void runSave(JobThread &job) override;
};

} // namespace linkmoor
