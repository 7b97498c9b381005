#pragma once
// The main window: the drawn menu bar ("Analyze", "Options", "Help"), the start page
// while no project is open, the workspace sheet of the open project over the work
// area, and the owner of the progress strip. It saves its placement and options in
// the settings file when it closes, and refuses to close while a job runs.

#include "app/job_owner.h"
#include "app/main_window_services.h"
#include "app/menu_bar.h"
#include "app/popup_menus.h"
#include "app/workspace_sheet.h"

#include <QMenu>

#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <functional>

class QPushButton;

namespace linkmoor {

class HelpPane;
class JobThread;

/// The program's one top-level window.
class MainDialog : public QWidget, public JobOwner {
  Q_OBJECT
public:
  /// The product's home page ("Home").
  static QUrl homePage();

  /// Builds the window and runs its initialisation: the job runner gets it as owner, the
  /// settings file is read (placement, "Always on top", general options), the help pane
  /// shows the start page. `services` makes its sheets and dialogs.
  MainDialog(JobThread &jobs, MainWindowServices services, QWidget *parent = nullptr);
  ~MainDialog() override;

  /// Shows the window as the settings placed it (normal or maximized).
  void showAsPlaced();

  /// The job runner.
  JobThread &jobs() const { return jobs_; }
  /// The start page view.
  HelpPane *helpPane() const { return helpPane_; }
  /// The local sheet, or null.
  WorkspaceSheet *localSheet() const { return localSheet_; }
  /// The remote sheet, or null.
  WorkspaceSheet *remoteSheet() const { return remoteSheet_; }
  /// The menu bar model.
  const MenuBar &menuBar() const { return menuBar_; }
  /// Height of the menu band.
  int menuBarHeight() const { return menuBarHeight_; }
  /// True while the mouse is captured for hot tracking.
  bool mouseCaptured() const { return captured_; }
  /// The popup menu being shown, or null.
  QMenu *openPopupMenu() const { return popup_; }
  /// The client area below the menu band.
  QRect workArea() const;
  /// "Always on top".
  bool alwaysOnTop() const { return alwaysOnTop_; }
  /// Sets "Always on top" and applies it at once.
  void setAlwaysOnTop(bool on);
  /// What the popup items depend on, now.
  PopupState popupState() const;

  /// Runs the popup command `id`; unknown ids do nothing.
  void runCommand(int id);
  /// Opens the popup of menu item `item` as the keyboard does (Alt+A, Alt+O, Alt+H, F10):
  /// the item shows pressed and the popup starts on its first command. Left and Right
  /// move to the neighbouring popups. Does nothing while a popup is open.
  void openPopupByKey(int item);
  /// "Local files".
  void openLocalProject();
  /// "Remote site".
  void openRemoteProject();
  /// "Reset": when a sheet's editor holds unsaved changes asks kDiscardEditsQuestion first
  /// (No keeps everything), then "Terminate current analyzing?"; on Yes closes the project.
  /// True when the project was closed.
  bool resetProject();
  /// The page "In-place help" opens for what is shown.
  QString inPlaceHelpPage() const;
  /// Lays the sheet (and, if `moveHelpPane`, the help pane) over the work area and
  /// centres the progress strip again.
  void layoutChildren(bool moveHelpPane);

  /// Job 50 ("Reconnect"); worker thread.
  void runJob(JobCode code, JobThread &job) override;

signals:
  /// The window has accepted a close request and saved its settings.
  void closed();

protected:
  void paintEvent(QPaintEvent *event) override;
  void closeEvent(QCloseEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void moveEvent(QMoveEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void leaveEvent(QEvent *event) override;

private:
  void loadSettings();
  void saveSettings();
  void layoutMenuBar();
  void applyMenuStep(const MenuBarStep &step);
  void openPopup(int item, bool byKey = false);
  void addMenuKeys();
  void reassertTopmost();
  void destroySheets();
  WorkspaceSheet *createSheet(int kind, const QString &caption);

  JobThread &jobs_;
  MainWindowServices services_;
  HelpPane *helpPane_ = nullptr;
  QPushButton *testButton_ = nullptr;
  QPointer<WorkspaceSheet> localSheet_;
  QPointer<WorkspaceSheet> remoteSheet_;
  QPointer<QMenu> popup_;
  MenuBar menuBar_;
  int menuBarHeight_ = 0;
  bool alwaysOnTop_ = true;
  bool captured_ = false;
  bool maximizeOnShow_ = false;
};

} // namespace linkmoor
