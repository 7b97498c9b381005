#pragma once
// What the local and the remote project dialog share: the editable project list that
// never completes or picks a name by itself, the tool buttons "X", "+", "S" and
// "\ ...", the hidden first button, the help button, and the steps that work alike on
// both lists (selection change, the name checks, new, remove, the folder chooser).
// Each dialog brings its own store, fields and layout through the hooks below.

#include "app/convention_dialog.h"

#include <QString>
#include <functional>
#include <string>

class QComboBox;
class QLineEdit;

namespace linkmoor {

class HiddenFirstButton;
class ToolButton;

/// Base of PlaceDialog and ConnectDialog.
class ProjectDialog : public ConventionDialog {
  Q_OBJECT
public:
  /// Asks for a folder: (owner, title, start folder) -> the chosen folder, empty when
  /// cancelled. Replaceable for tests; Qt's directory chooser by default.
  using FolderChooser =
      std::function<QString(QWidget *owner, const QString &title, const QString &start)>;
  /// The chooser "\ ..." uses.
  static FolderChooser &folderChooser();

  /// Project list combo box (1056).
  QComboBox *projectList() const { return projects_; }
  /// "X" (1011).
  ToolButton *removeButton() const { return remove_; }
  /// "+" (1013).
  ToolButton *newButton() const { return new_; }
  /// "S" (1014).
  ToolButton *storeButton() const { return save_; }
  /// "\ ..." (1040 in the local, 1010 in the remote dialog).
  ToolButton *browseButton() const { return browse_; }
  /// "Hide" (1027), the first in the tab order.
  HiddenFirstButton *hiddenButton() const { return hide_; }
  /// The help button (the caption help button of other desktops).
  ToolButton *helpButton() const { return help_; }

  /// "S": stores the edited fields; says so when it worked. True on success.
  bool storeProject();
  /// "+": starts a new project, optionally as a copy of the fields.
  void newProject();
  /// "X": removes the selected project after asking; the project then selected shows
  /// its own fields.
  void removeProject();
  /// "\ ...": picks a folder with the folder chooser into the dialog's folder field.
  void chooseFolder();
  /// Shows the dialog's help page.
  void showHelp();

protected:
  /// Creates the shared controls (the hidden button first, so it takes the focus).
  /// `helpPage` is the help page, `remoteKey` selects KEY_DLGREMOTELASTDIR over
  /// KEY_DLGLOCALLASTDIR for the folder chooser.
  ProjectDialog(QWidget *parent, const QString &helpPage, bool remoteKey);

  /// Fills the list with the stored names and selects the stored index, then shows it.
  void fillProjectList();
  /// Shows the project the list selects, or the defaults when it selects none.
  void selectionChanged();
  /// Selects the first entry equal to `name` without regard to case; false if none.
  bool selectMatchingName(const std::string &name);
  /// Shows "Please input '<word>'".
  void reportMissing(const char *word);
  /// The duplicate-name and forbidden-character checks with their messages.
  bool checkName(int index, const std::string &name);
  /// Puts a stored name into the list: at the top for a new project (`at` -1), else
  /// in place of entry `at`; selects it.
  void placeStoredName(int at, const std::string &name);
  /// The name field's text, trimmed.
  std::string nameText() const;
  /// F1 and the desktop's context-help button show the help page.
  bool event(QEvent *event) override;
  /// Enter in the name field neither ends the dialog nor picks a project.
  bool eventFilter(QObject *watched, QEvent *event) override;

  /// Number of stored projects.
  virtual int storedCount() const = 0;
  /// The store's selected index.
  virtual int storedSelection() const = 0;
  /// Sets the store's selected index.
  virtual void setStoredSelection(int index) = 0;
  /// Name of the stored project at `index` (a valid index).
  virtual std::string storedName(int index) = 0;
  /// Whether another stored project than `skip` has `name`, ignoring case.
  virtual bool storedNameTaken(int skip, const std::string &name) const = 0;
  /// Removes and destroys the stored project at `index`.
  virtual void removeStored(int index) = 0;
  /// Shows the stored project at `index` (fetched, normalised, its name matched in the
  /// list with selectMatchingName; fields set only when it matched).
  virtual void showStored(int index) = 0;
  /// Shows the fields of a new project with no entry selected.
  virtual void showDefaults() = 0;
  /// The store step: validate and store the fields. True on success.
  virtual bool storeStep() = 0;
  /// "+": reads what the copy keeps while the fields still show the old project.
  virtual void prepareNew(bool copy) = 0;
  /// "+": shows the fields prepared by prepareNew.
  virtual void showNew() = 0;
  /// The field "\ ..." fills.
  virtual QLineEdit *folderField() const = 0;

  HiddenFirstButton *hide_;
  QComboBox *projects_;
  ToolButton *remove_;
  ToolButton *new_;
  ToolButton *save_;
  ToolButton *browse_;
  ToolButton *help_;

private:
  QString helpPage_;
  bool remoteKey_;
};

} // namespace linkmoor
