#pragma once
// The remote sheet's edit page: "Save and Upload" writes the page into the mirror
// folder, uploads it to the FTP site, analyses it again and reports each of the four
// steps in one message (job 58).

#include "workspace/edit_page.h"

namespace linkmoor {

/// Page 3 of `SheetRemote`.
class SheetRemotePgEdit : public EditPage {
  Q_OBJECT
public:
  /// The page of `sheet`.
  explicit SheetRemotePgEdit(ProjectSheet &sheet, QWidget *parent = nullptr);

protected:
  /// Job 58: save, upload (asking to reconnect when the line is down), the general
  /// pass, the description pass, the report.
  void runSave(JobThread &job) override;
};

} // namespace linkmoor
