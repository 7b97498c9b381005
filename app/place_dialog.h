#pragma once
// The local project dialog: keeps the list of local projects (a name and the root
// folder of a site on disk), lets the user pick, add, copy, change and remove one, and
// confirms the chosen project with "Done", which copies it into CurrentLocalProject.

#include "app/convention_dialog.h"
#include "storage/local_project_store.h"

#include <functional>
#include <optional>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace linkmoor {

class HiddenFirstButton;
class ToolButton;

/// "Place": the local project dialog.
class PlaceDialog : public ConventionDialog {
  Q_OBJECT
public:
  /// Asks for a folder: (owner, title, start folder) -> the chosen folder, empty when
  /// cancelled. Replaceable for tests; Qt's directory chooser by default.
  using FolderChooser =
      std::function<QString(QWidget *owner, const QString &title, const QString &start)>;
  /// The chooser "\ ..." uses.
  static FolderChooser &folderChooser();

  /// Loads the project list and shows the selected project.
  explicit PlaceDialog(QWidget *parent = nullptr);
  /// Saves the project list, however the dialog ended.
  ~PlaceDialog() override;

  /// The project list.
  LocalProjectStore &store() { return store_; }
  /// Project list combo box (1056).
  QComboBox *projectList() const { return projects_; }
  /// Root path field (1039).
  QLineEdit *rootPathField() const { return rootPath_; }
  /// "X" (1011).
  ToolButton *removeButton() const { return remove_; }
  /// "+" (1013).
  ToolButton *newButton() const { return new_; }
  /// "S" (1014).
  ToolButton *storeButton() const { return save_; }
  /// "\ ..." (1040).
  ToolButton *browseButton() const { return browse_; }
  /// "Done" (1038).
  QPushButton *doneButton() const { return done_; }
  /// "Hide" (1027), the first in the tab order.
  HiddenFirstButton *hiddenButton() const { return hide_; }
  /// The help button (the caption help button of other desktops).
  ToolButton *helpButton() const { return help_; }

  /// "S": stores the edited fields; says so when it worked. True on success.
  bool storeProject();
  /// "+": starts a new project, optionally as a copy of the fields.
  void newProject();
  /// "X": removes the selected project after asking.
  void removeProject();
  /// "\ ...": picks the root folder with the folder chooser.
  void chooseRootFolder();
  /// "Done": stores, makes sure the root folder exists and ends the dialog with OK.
  void confirm();
  /// Shows the help page "local/place.htm".
  void showHelp();

protected:
  /// F1 and the desktop's context-help button show the help page.
  bool event(QEvent *event) override;

private:
  struct Fields {
    std::string name;
    std::string rootPath;
  };
  Fields readFields() const;
  std::optional<Fields> validate(int index);
  bool storeStep();
  void selectionChanged();
  void layoutControls();

  LocalProjectStore store_;
  HiddenFirstButton *hide_;
  QComboBox *projects_;
  QLineEdit *rootPath_;
  ToolButton *remove_;
  ToolButton *new_;
  ToolButton *save_;
  ToolButton *browse_;
  QPushButton *done_;
  ToolButton *help_;
};

/// Runs the local project dialog over `owner`; true when it ended with "Done".
bool runPlaceDialog(QWidget *owner);

} // namespace linkmoor
