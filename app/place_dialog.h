#pragma once
// The local project dialog: keeps the list of local projects (a name and the root
// folder of a site on disk), lets the user pick, add, copy, change and remove one, and
// confirms the chosen project with "Done", which copies it into CurrentLocalProject.

#include "app/project_dialog.h"
#include "storage/local_project_store.h"

#include <optional>
#include <string>

class QLineEdit;
class QPushButton;

namespace linkmoor {

/// "Place": the local project dialog.
class PlaceDialog : public ProjectDialog {
  Q_OBJECT
public:
  /// Loads the project list and shows the selected project.
  explicit PlaceDialog(QWidget *parent = nullptr);
  /// Saves the project list, however the dialog ended.
  ~PlaceDialog() override;

  /// The project list.
  LocalProjectStore &store() { return store_; }
  /// Root path field (1039).
  QLineEdit *rootPathField() const { return rootPath_; }
  /// "Done" (1038).
  QPushButton *doneButton() const { return done_; }

  /// "\ ...": picks the root folder with the folder chooser.
  void chooseRootFolder() { chooseFolder(); }
  /// "Done": stores, makes sure the root folder exists and ends the dialog with OK.
  void confirm();

protected:
  int storedCount() const override { return store_.count(); }
  int storedSelection() const override { return store_.selectedIndex(); }
  void setStoredSelection(int index) override { store_.setSelectedIndex(index); }
  std::string storedName(int index) override { return store_.get(index)->projectName; }
  bool storedNameTaken(int skip, const std::string &name) const override {
    return store_.nameTaken(skip, name);
  }
  void removeStored(int index) override { store_.removeAt(index); }
  void showStored(int index) override;
  void showDefaults() override;
  bool storeStep() override;
  void prepareNew(bool copy) override;
  void showNew() override;
  QLineEdit *folderField() const override { return rootPath_; }

private:
  struct Fields {
    std::string name;
    std::string rootPath;
  };
  Fields readFields() const;
  std::optional<Fields> validate(int index);
  void layoutControls();

  LocalProjectStore store_;
  QLineEdit *rootPath_;
  QPushButton *done_;
  std::string newRootPath_;
};

/// Runs the local project dialog over `owner`; true when it ended with "Done".
bool runPlaceDialog(QWidget *owner);

} // namespace linkmoor
