#pragma once
// What the main window needs of a workspace sheet. The local and remote sheets derive
// from it; the main window creates them through the `SheetFactory` it was handed,
// makes them its children and keeps them over its work area (below the drawn menu bar).

#include <QString>
#include <QWidget>
#include <functional>

namespace linkmoor {

/// Asked before something replaces unsaved changes in a sheet's editor.
inline constexpr char kDiscardEditsQuestion[] =
    "The page in the editor has changes that are not saved.\nDiscard them?";

/// A sheet laid over the main window's work area, owned by the main window.
class WorkspaceSheet : public QWidget {
  Q_OBJECT
public:
  /// Which kind of project the sheet shows.
  enum class Kind { Local, Remote };

  /// A sheet with the caption ("Local" or "Host") as its window title.
  WorkspaceSheet(Kind kind, const QString &caption, QWidget *parent);

  /// Local or remote.
  Kind kind() const { return kind_; }
  /// The page shown: 0 main, 1 info, 2 desc, 3 edit.
  virtual int activePageIndex() const { return 0; }
  /// Local: shows `CurrentLocalProject` afresh (after every "Local files").
  virtual void refreshFromProject() {}
  /// True while the sheet's editor holds changes that are not saved.
  virtual bool hasUnsavedEdits() const { return false; }
  /// Remote: back to the start state for a newly connected project.
  virtual void resetSheet() {}
  /// Remote: lists the site's root folder (job 54).
  virtual void retrieveRoot() {}

private:
  Kind kind_;
};

/// Makes the sheet of `kind` with `caption` as a child of `parent` (the main window).
using SheetFactory = std::function<WorkspaceSheet *(WorkspaceSheet::Kind kind,
                                                    const QString &caption, QWidget *parent)>;

} // namespace linkmoor
