#pragma once
// Stand-in for a workspace sheet: names the open project on the workspace background.

#include "app/workspace_sheet.h"

class QLabel;

namespace linkmoor {

/// Shows the name and folder of the current project.
class PlaceholderSheet : public WorkspaceSheet {
  Q_OBJECT
public:
  /// A sheet of `kind` that shows the current project of that kind.
  PlaceholderSheet(Kind kind, const QString &caption, QWidget *parent);

  /// Reads the current project again.
  void refreshFromProject() override;
  /// Reads the current project again.
  void resetSheet() override { refreshFromProject(); }
  /// The text shown.
  QString text() const;

private:
  QLabel *label_;
};

} // namespace linkmoor
