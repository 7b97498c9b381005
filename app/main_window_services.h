#pragma once
// What the main window is handed by the program that composes it: the makers of its
// sheets and dialogs. The main window knows them only through these functions, so the
// windowed program's `main` decides which sheets and dialogs exist, and tests hand in
// their own.

#include "app/workspace_sheet.h"

#include <functional>

class QWidget;

namespace linkmoor {

class JobThread;

/// The sheets and dialogs a main window opens. Each member may be left empty; its
/// command then does nothing (an empty `sheetFactory` gives the plain stand-in sheet).
struct MainWindowServices {
  /// Makes the workspace sheet of a project kind over the main window's work area.
  SheetFactory sheetFactory;
  /// "Local files": runs the local project dialog; true when it ended with OK
  /// (`CurrentLocalProject` then holds the chosen project).
  std::function<bool(QWidget *owner)> localProjectDialog;
  /// "Remote site": runs the connect dialog; true once connected and
  /// `CurrentRemoteProject` is set.
  std::function<bool(QWidget *owner)> connectDialog;
  /// "Site option": shows the site option dialog.
  std::function<void(QWidget *owner)> siteOption;
  /// "General": shows the options sheet.
  std::function<void(QWidget *owner)> generalOptions;
  /// "About": shows the about box.
  std::function<void(QWidget *owner)> about;
  /// Job 50 ("Reconnect") on the worker thread.
  std::function<void(JobThread &job)> reconnect;

  /// The services the main window's own layer provides: the local project dialog and
  /// the stand-in sheet; everything else empty.
  static MainWindowServices basic();
};

} // namespace linkmoor
