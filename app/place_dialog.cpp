#include "app/place_dialog.h"

#include "app/dialog_units.h"
#include "app/folder_path.h"
#include "app/hidden_first_button.h"
#include "app/message_box.h"
#include "storage/current_projects.h"
#include "storage/widgets/tool_button.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <system_error>

namespace linkmoor {

namespace {

std::string trimmed(const QString &text) { return text.trimmed().toStdString(); }

bool entryExists(const std::string &path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

} // namespace

PlaceDialog::PlaceDialog(QWidget *parent)
    : ProjectDialog(parent, QStringLiteral("local/place.htm"), false) {
  setObjectName(QStringLiteral("PlaceDialog"));
  setWindowTitle(QStringLiteral("Local project"));
  rootPath_ = new QLineEdit(this);
  rootPath_->setObjectName(QStringLiteral("rootPath"));
  done_ = new QPushButton(QStringLiteral("Done"), this);
  layoutControls();
  connect(done_, &QPushButton::clicked, this, &PlaceDialog::confirm);
  store_.load();
  fillProjectList();
}

PlaceDialog::~PlaceDialog() { store_.save(); }

void PlaceDialog::layoutControls() {
  const DialogBaseUnits base = dialogBaseUnits();
  auto *grid = new QGridLayout(this);
  grid->setContentsMargins(dialogUnitsX(7, base), dialogUnitsY(7, base), dialogUnitsX(7, base),
                           dialogUnitsY(7, base));
  grid->setHorizontalSpacing(dialogUnitsX(4, base));
  grid->setVerticalSpacing(dialogUnitsY(4, base));
  auto *nameLabel = new QLabel(QStringLiteral("Project name"), this);
  auto *rootLabel = new QLabel(QStringLiteral("Root path"), this);
  nameLabel->setBuddy(projects_);
  rootLabel->setBuddy(rootPath_);
  auto *tools = new QHBoxLayout;
  tools->setSpacing(dialogUnitsX(2, base));
  tools->addWidget(remove_);
  tools->addWidget(new_);
  tools->addWidget(save_);
  tools->addStretch(1);
  tools->addWidget(help_);
  grid->addWidget(nameLabel, 0, 0);
  grid->addWidget(projects_, 0, 1);
  grid->addLayout(tools, 0, 2);
  grid->addWidget(rootLabel, 1, 0);
  grid->addWidget(rootPath_, 1, 1);
  auto *finish = new QHBoxLayout;
  finish->setSpacing(dialogUnitsX(4, base));
  finish->addWidget(browse_);
  finish->addStretch(1);
  finish->addWidget(done_);
  grid->addLayout(finish, 1, 2);
  grid->setColumnStretch(1, 1);
  // The tool buttons take their picture size at their first paint; reserve it now.
  for (ToolButton *button : {remove_, new_, save_, browse_})
    button->setMinimumSize(22, 20);
  help_->setMinimumSize(20, 18);
  done_->setMinimumWidth(dialogUnitsX(40, base));
  projects_->setMinimumWidth(dialogUnitsX(150, base));
  const QSize template_ = dialogUnitsToPixels(QSize(304, 46), base);
  setMinimumSize(template_.expandedTo(grid->sizeHint()));
  resize(minimumSize());
  hide_->raise();
}

PlaceDialog::Fields PlaceDialog::readFields() const {
  Fields fields;
  fields.name = trimmed(projects_->currentText());
  fields.rootPath = trimmed(rootPath_->text());
  normalisePath(fields.rootPath);
  return fields;
}

std::optional<PlaceDialog::Fields> PlaceDialog::validate(int index) {
  const Fields fields = readFields();
  const char *missing = fields.name.empty()       ? "Project"
                        : fields.rootPath.empty() ? "Root path"
                                                  : nullptr;
  if (missing) {
    reportMissing(missing);
    return std::nullopt;
  }
  if (!checkName(index, fields.name)) return std::nullopt;
  return fields;
}

bool PlaceDialog::storeStep() {
  const std::optional<Fields> fields = validate(store_.selectedIndex());
  if (!fields) return false;
  LocalProject *record = store_.get(store_.selectedIndex());
  if (!record) {
    auto project = std::make_unique<LocalProject>();
    project->projectName = fields->name;
    project->rootPath = fields->rootPath;
    store_.insertFirst(std::move(project));
    store_.setSelectedIndex(0);
    placeStoredName(-1, fields->name);
  } else {
    record->projectName = fields->name;
    record->rootPath = fields->rootPath;
    placeStoredName(store_.selectedIndex(), fields->name);
  }
  // The field shows the path as stored: forward slashes, no trailing separator.
  rootPath_->setText(QString::fromStdString(fields->rootPath));
  return true;
}

void PlaceDialog::showStored(int index) {
  LocalProject *record = store_.get(index);
  if (!record) return;
  record->normalise();
  if (selectMatchingName(record->projectName))
    rootPath_->setText(QString::fromStdString(record->rootPath));
}

void PlaceDialog::showDefaults() { rootPath_->clear(); }

void PlaceDialog::prepareNew(bool copy) { newRootPath_ = copy ? readFields().rootPath : ""; }

void PlaceDialog::showNew() { rootPath_->setText(QString::fromStdString(newRootPath_)); }

void PlaceDialog::confirm() {
  if (!storeStep()) return;
  LocalProject *record = store_.get(store_.selectedIndex());
  if (!record) return;
  record->normalise();
  if (!entryExists(record->rootPath)) {
    if (!askYesNo(this,
                  QStringLiteral("Download directory does not exist,\ndo you want to create it?")))
      return;
    if (!createFolderPath(record->rootPath)) {
      showMessage(this, QStringLiteral("Error: can not create download directory"));
      return;
    }
  }
  CurrentLocalProject.copy(*record);
  accept();
}

bool runPlaceDialog(QWidget *owner) {
  PlaceDialog dialog(owner);
  return dialog.exec() == QDialog::Accepted;
}

} // namespace linkmoor
