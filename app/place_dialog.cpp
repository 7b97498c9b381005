#include "app/place_dialog.h"

#include "app/dialog_units.h"
#include "app/folder_path.h"
#include "app/help_topic.h"
#include "app/hidden_first_button.h"
#include "app/message_box.h"
#include "storage/current_projects.h"
#include "storage/settings_file.h"
#include "storage/widgets/tool_button.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWhatsThis>
#include <filesystem>
#include <system_error>

namespace linkmoor {

namespace {

const char kForbidden[] = "\\\"/:*?<>|";

std::string trimmed(const QString &text) { return text.trimmed().toStdString(); }

bool entryExists(const std::string &path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

} // namespace

PlaceDialog::FolderChooser &PlaceDialog::folderChooser() {
  static FolderChooser chooser = [](QWidget *owner, const QString &title, const QString &start) {
    return QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
  };
  return chooser;
}

PlaceDialog::PlaceDialog(QWidget *parent) : ConventionDialog(parent) {
  setObjectName(QStringLiteral("PlaceDialog"));
  setWindowTitle(QStringLiteral("Local project"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, true);
  // Created first, so it is first in the tab order and takes the focus at opening.
  hide_ = new HiddenFirstButton(QStringLiteral("Hide"), this);
  projects_ = new QComboBox(this);
  projects_->setObjectName(QStringLiteral("projectList"));
  projects_->setEditable(true);
  projects_->setInsertPolicy(QComboBox::NoInsert);
  projects_->setMaxVisibleItems(12);
  rootPath_ = new QLineEdit(this);
  rootPath_->setObjectName(QStringLiteral("rootPath"));
  remove_ = new ToolButton(136, QStringLiteral("X"), this);
  new_ = new ToolButton(169, QStringLiteral("+"), this);
  save_ = new ToolButton(176, QStringLiteral("S"), this);
  browse_ = new ToolButton(139, QStringLiteral("\\ ..."), this);
  done_ = new QPushButton(QStringLiteral("Done"), this);
  help_ = new ToolButton(167, QStringLiteral("?"), this);
  layoutControls();

  connect(projects_, qOverload<int>(&QComboBox::activated), this, [this] { selectionChanged(); });
  connect(remove_, &QPushButton::clicked, this, &PlaceDialog::removeProject);
  connect(new_, &QPushButton::clicked, this, &PlaceDialog::newProject);
  connect(save_, &QPushButton::clicked, this, [this] { storeProject(); });
  connect(browse_, &QPushButton::clicked, this, &PlaceDialog::chooseRootFolder);
  connect(done_, &QPushButton::clicked, this, &PlaceDialog::confirm);
  connect(help_, &QPushButton::clicked, this, &PlaceDialog::showHelp);

  store_.load();
  for (int i = 0; i < store_.count(); ++i)
    projects_->addItem(QString::fromStdString(store_.get(i)->projectName));
  if (store_.selectedIndex() >= 0 && store_.selectedIndex() < store_.count())
    projects_->setCurrentIndex(store_.selectedIndex());
  else
    projects_->setCurrentIndex(-1);
  selectionChanged();
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
    showMessage(this,
                QStringLiteral("Please input '") + QLatin1String(missing) + QLatin1Char('\''));
    return std::nullopt;
  }
  if (store_.nameTaken(index, fields.name)) {
    showMessage(this, QStringLiteral("Please use another project name"));
    return std::nullopt;
  }
  if (fields.name.find_first_of(kForbidden) != std::string::npos) {
    showMessage(this, QStringLiteral("Please do not use charecters of ") +
                          QLatin1String(kForbidden) +
                          QStringLiteral(" as 'Project name',\nwhich may be used as download "
                                         "sub-directory.\n"));
    return std::nullopt;
  }
  return fields;
}

bool PlaceDialog::storeStep() {
  const std::optional<Fields> fields = validate(store_.selectedIndex());
  if (!fields) return false;
  const QString name = QString::fromStdString(fields->name);
  LocalProject *record = store_.get(store_.selectedIndex());
  if (!record) {
    auto project = std::make_unique<LocalProject>();
    project->projectName = fields->name;
    project->rootPath = fields->rootPath;
    store_.insertFirst(std::move(project));
    store_.setSelectedIndex(0);
    projects_->insertItem(0, name);
    projects_->setCurrentIndex(0);
  } else {
    record->projectName = fields->name;
    record->rootPath = fields->rootPath;
    const int at = store_.selectedIndex();
    projects_->removeItem(at);
    projects_->insertItem(at, name);
    projects_->setCurrentIndex(at);
  }
  // The field shows the path as stored: forward slashes, no trailing separator.
  rootPath_->setText(QString::fromStdString(fields->rootPath));
  return true;
}

bool PlaceDialog::storeProject() {
  if (!storeStep()) return false;
  showMessage(this, QStringLiteral("The project has been updated successfully.\n"));
  return true;
}

void PlaceDialog::selectionChanged() {
  const int at = projects_->currentIndex();
  if (at < 0) {
    projects_->setEditText(QString());
    rootPath_->clear();
    return;
  }
  store_.setSelectedIndex(at);
  LocalProject *record = store_.get(at);
  if (!record) return;
  record->normalise();
  const int match =
      projects_->findText(QString::fromStdString(record->projectName), Qt::MatchFixedString);
  if (match < 0) return;
  projects_->setCurrentIndex(match);
  rootPath_->setText(QString::fromStdString(record->rootPath));
}

void PlaceDialog::newProject() {
  if (!store_.get(store_.selectedIndex())) return;
  const bool copy = askYesNo(this, QStringLiteral("Do you want to copy current data?"));
  const Fields fields = copy ? readFields() : Fields{};
  store_.setSelectedIndex(-1);
  projects_->setCurrentIndex(-1);
  projects_->setEditText(QString());
  rootPath_->setText(QString::fromStdString(fields.rootPath));
  if (copy)
    projects_->setEditText(QStringLiteral("Copy of ") + QString::fromStdString(fields.name));
}

void PlaceDialog::removeProject() {
  if (projects_->count() == 0) return;
  const int at = projects_->currentIndex();
  if (at < 0) {
    showMessage(this, QStringLiteral("Please select a project"));
    return;
  }
  if (!askYesNo(this, QStringLiteral("Remove the project?"))) return;
  const bool wasOnly = store_.count() == 1;
  store_.removeAt(at);
  store_.setSelectedIndex(wasOnly ? -1 : 0);
  const QString root = rootPath_->text();
  projects_->removeItem(at);
  projects_->setCurrentIndex(store_.selectedIndex());
  if (store_.selectedIndex() < 0) projects_->setEditText(QString());
  rootPath_->setText(root);
}

void PlaceDialog::chooseRootFolder() {
  SettingsFile settings;
  const bool open = settings.openExisting();
  std::string last;
  if (open) settings.readLocalLastFolder(last);
  QString picked =
      folderChooser()(this, QStringLiteral("Root directory"), QString::fromStdString(last));
  if (picked.isEmpty()) return;
  if (picked.size() > 1 &&
      (picked.endsWith(QLatin1Char('/')) || picked.endsWith(QLatin1Char('\\'))))
    picked.chop(1);
  if (open) settings.writeLocalLastFolder(picked.toStdString());
  rootPath_->setText(picked);
}

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

void PlaceDialog::showHelp() { showHelpTopic(this, QStringLiteral("local/place.htm")); }

bool PlaceDialog::event(QEvent *event) {
  if (event->type() == QEvent::EnterWhatsThisMode) {
    QWhatsThis::leaveWhatsThisMode();
    showHelp();
    return true;
  }
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F1) {
    showHelp();
    return true;
  }
  return ConventionDialog::event(event);
}

bool runPlaceDialog(QWidget *owner) {
  PlaceDialog dialog(owner);
  return dialog.exec() == QDialog::Accepted;
}

} // namespace linkmoor
