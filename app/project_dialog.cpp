#include "app/project_dialog.h"

#include "app/help_topic.h"
#include "app/hidden_first_button.h"
#include "app/message_box.h"
#include "storage/settings_file.h"
#include "storage/widgets/tool_button.h"

#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWhatsThis>

namespace linkmoor {

namespace {

const char kForbidden[] = "\\\"/:*?<>|";

} // namespace

ProjectDialog::FolderChooser &ProjectDialog::folderChooser() {
  static FolderChooser chooser = [](QWidget *owner, const QString &title, const QString &start) {
    return QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
  };
  return chooser;
}

ProjectDialog::ProjectDialog(QWidget *parent, const QString &helpPage, bool remoteKey)
    : ConventionDialog(parent), helpPage_(helpPage), remoteKey_(remoteKey) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, true);
  // Created first, so it is first in the tab order and takes the focus at opening.
  hide_ = new HiddenFirstButton(QStringLiteral("Hide"), this);
  projects_ = new QComboBox(this);
  projects_->setObjectName(QStringLiteral("projectList"));
  projects_->setEditable(true);
  projects_->setInsertPolicy(QComboBox::NoInsert);
  projects_->setMaxVisibleItems(12);
  // Typing a name is editing the name: no completion towards a stored project, and
  // Enter does not pick the entry that matches the typed text.
  // Leaving the field or pressing Enter would otherwise select the entry whose text
  // equals the typed one (the combo box's own editing-finished and return handling).
  projects_->setCompleter(nullptr);
  QObject::disconnect(projects_->lineEdit(), &QLineEdit::editingFinished, projects_, nullptr);
  QObject::disconnect(projects_->lineEdit(), &QLineEdit::returnPressed, projects_, nullptr);
  projects_->lineEdit()->installEventFilter(this);
  remove_ = new ToolButton(136, QStringLiteral("X"), this);
  new_ = new ToolButton(169, QStringLiteral("+"), this);
  save_ = new ToolButton(176, QStringLiteral("S"), this);
  browse_ = new ToolButton(139, QStringLiteral("\\ ..."), this);
  help_ = new ToolButton(167, QStringLiteral("?"), this);
  connect(projects_, qOverload<int>(&QComboBox::activated), this, [this] { selectionChanged(); });
  connect(remove_, &QPushButton::clicked, this, &ProjectDialog::removeProject);
  connect(new_, &QPushButton::clicked, this, &ProjectDialog::newProject);
  connect(save_, &QPushButton::clicked, this, [this] { storeProject(); });
  connect(browse_, &QPushButton::clicked, this, &ProjectDialog::chooseFolder);
  connect(help_, &QPushButton::clicked, this, &ProjectDialog::showHelp);
}

void ProjectDialog::fillProjectList() {
  for (int i = 0; i < storedCount(); ++i)
    projects_->addItem(QString::fromStdString(storedName(i)));
  // An index outside the list selects nothing.
  const int selected = storedSelection();
  projects_->setCurrentIndex(selected >= 0 && selected < storedCount() ? selected : -1);
  selectionChanged();
}

void ProjectDialog::selectionChanged() {
  const int at = projects_->currentIndex();
  if (at < 0) {
    projects_->setEditText(QString());
    showDefaults();
    return;
  }
  setStoredSelection(at);
  showStored(at);
}

bool ProjectDialog::selectMatchingName(const std::string &name) {
  const int match = projects_->findText(QString::fromStdString(name), Qt::MatchFixedString);
  if (match < 0) return false;
  projects_->setCurrentIndex(match);
  return true;
}

std::string ProjectDialog::nameText() const {
  return projects_->currentText().trimmed().toStdString();
}

void ProjectDialog::reportMissing(const char *word) {
  showMessage(this, QStringLiteral("Please input '") + QLatin1String(word) + QLatin1Char('\''));
}

bool ProjectDialog::checkName(int index, const std::string &name) {
  if (storedNameTaken(index, name)) {
    showMessage(this, QStringLiteral("Please use another project name"));
    return false;
  }
  if (name.find_first_of(kForbidden) != std::string::npos) {
    showMessage(this, QStringLiteral("Please do not use charecters of ") +
                          QLatin1String(kForbidden) +
                          QStringLiteral(" as 'Project name',\nwhich may be used as download "
                                         "sub-directory.\n"));
    return false;
  }
  return true;
}

void ProjectDialog::placeStoredName(int at, const std::string &name) {
  const QString text = QString::fromStdString(name);
  if (at < 0) {
    projects_->insertItem(0, text);
    projects_->setCurrentIndex(0);
    return;
  }
  projects_->removeItem(at);
  projects_->insertItem(at, text);
  projects_->setCurrentIndex(at);
}

bool ProjectDialog::storeProject() {
  if (!storeStep()) return false;
  showMessage(this, QStringLiteral("The project has been updated successfully.\n"));
  return true;
}

void ProjectDialog::newProject() {
  const int selected = storedSelection();
  if (selected < 0 || selected >= storedCount()) return;
  const bool copy = askYesNo(this, QStringLiteral("Do you want to copy current data?"));
  const std::string name = copy ? nameText() : std::string();
  prepareNew(copy);
  setStoredSelection(-1);
  projects_->setCurrentIndex(-1);
  projects_->setEditText(QString());
  showNew();
  if (copy) projects_->setEditText(QStringLiteral("Copy of ") + QString::fromStdString(name));
}

void ProjectDialog::removeProject() {
  if (projects_->count() == 0) return;
  const int at = projects_->currentIndex();
  if (at < 0) {
    showMessage(this, QStringLiteral("Please select a project"));
    return;
  }
  if (!askYesNo(this, QStringLiteral("Remove the project?"))) return;
  const bool wasOnly = storedCount() == 1;
  removeStored(at);
  setStoredSelection(wasOnly ? -1 : 0);
  projects_->removeItem(at);
  projects_->setCurrentIndex(storedSelection());
  if (storedSelection() < 0) {
    // Nothing left to show: the fields keep their text for a new project.
    projects_->setEditText(QString());
    return;
  }
  showStored(storedSelection());
}

void ProjectDialog::chooseFolder() {
  SettingsFile settings;
  const bool open = settings.openExisting();
  std::string last;
  if (open) remoteKey_ ? settings.readRemoteLastFolder(last) : settings.readLocalLastFolder(last);
  QString picked =
      folderChooser()(this, QStringLiteral("Root directory"), QString::fromStdString(last));
  if (picked.isEmpty()) return;
  if (picked.size() > 1 &&
      (picked.endsWith(QLatin1Char('/')) || picked.endsWith(QLatin1Char('\\'))))
    picked.chop(1);
  if (open) {
    if (remoteKey_)
      settings.writeRemoteLastFolder(picked.toStdString());
    else
      settings.writeLocalLastFolder(picked.toStdString());
  }
  folderField()->setText(picked);
}

void ProjectDialog::showHelp() { showHelpTopic(this, helpPage_); }

bool ProjectDialog::event(QEvent *event) {
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

bool ProjectDialog::eventFilter(QObject *watched, QEvent *event) {
  if (watched == projects_->lineEdit() && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  }
  return ConventionDialog::eventFilter(watched, event);
}

} // namespace linkmoor
