#pragma once
// The sheet of a local project: its folder tree, the summary of the chosen pages, the
// error list and the editor of one page.

#include "workspace/project_sheet.h"

namespace linkmoor {

class JobThread;
class SheetLocalPgDesc;
class SheetLocalPgEdit;
class SheetLocalPgInfo;
class SheetLocalPgMain;

/// The workspace sheet of `CurrentLocalProject`.
class SheetLocal : public ProjectSheet {
  Q_OBJECT
public:
  /// The sheet with window caption `caption` over `parent`, running its jobs on `jobs`.
  SheetLocal(const QString &caption, QWidget *parent, JobThread &jobs);

  /// Shows `CurrentLocalProject` afresh: empties the tree, the extension list and the
  /// info page, and also the desc page and the editor (whose file belongs to the project
  /// shown before), then fills the tree from the project's root folder.
  void refresh();
  /// `refresh`, for the main window.
  void refreshFromProject() override { refresh(); }

  /// The pages.
  SheetLocalPgMain *mainPage() const { return main_; }
  SheetLocalPgInfo *infoPage() const { return info_; }
  SheetLocalPgDesc *descPage() const { return desc_; }
  SheetLocalPgEdit *editPage() const { return edit_; }

private:
  SheetLocalPgMain *main_;
  SheetLocalPgInfo *info_;
  SheetLocalPgDesc *desc_;
  SheetLocalPgEdit *edit_;
};

} // namespace linkmoor
