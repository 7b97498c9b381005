#include "app/connect_dialog.h"

#include "app/dialog_units.h"
#include "app/folder_path.h"
#include "app/gui_call.h"
#include "app/hidden_first_button.h"
#include "app/job_thread.h"
#include "app/message_box.h"
#include "platform/local_folders.h"
#include "storage/current_projects.h"
#include "storage/local_project.h"
#include "storage/widgets/tool_button.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <sys/stat.h>

namespace linkmoor {

namespace {

std::string trimmed(const QLineEdit *field) { return field->text().trimmed().toStdString(); }

} // namespace

FtpLogin ftpLoginOf(const RemoteProject &project) {
  FtpLogin login;
  login.host = project.host;
  login.port = project.port;
  login.userName = project.userName;
  login.password = project.password;
  login.passive = project.passive != 0;
  return login;
}

ConnectDialog::ConnectDialog(JobThread &jobs, FtpSite &site, QWidget *parent)
    : ProjectDialog(parent, QStringLiteral("site/connect.htm"), true), jobs_(jobs), site_(site) {
  setObjectName(QStringLiteral("ConnectDialog"));
  setWindowTitle(QStringLiteral("Remote site"));
  downloadPath_ = new QLineEdit(this);
  host_ = new QLineEdit(this);
  port_ = new QLineEdit(this);
  user_ = new QLineEdit(this);
  password_ = new QLineEdit(this);
  password_->setEchoMode(QLineEdit::Password);
  passive_ = new QCheckBox(QStringLiteral("Use PASV transfer"), this);
  savePassword_ = new QCheckBox(QStringLiteral("Save pswd"), this);
  addName_ = new QCheckBox(QStringLiteral("Add project name as download sub-directory"), this);
  clear_ = new QCheckBox(QStringLiteral("Clear download directory"), this);
  connect_ = new QPushButton(QStringLiteral("Connect"), this);
  layoutControls();
  connect(connect_, &QPushButton::clicked, this, &ConnectDialog::connectProject);
  store_.load();
  fillProjectList();
}

ConnectDialog::~ConnectDialog() {
  // The store's get empties the password of every project that does not keep it.
  for (int i = 0; i < store_.count(); ++i)
    store_.get(i);
  store_.save();
}

void ConnectDialog::layoutControls() {
  const DialogBaseUnits base = dialogBaseUnits();
  auto *grid = new QGridLayout(this);
  const int margin = dialogUnitsX(7, base);
  grid->setContentsMargins(margin, dialogUnitsY(7, base), margin, dialogUnitsY(7, base));
  grid->setHorizontalSpacing(dialogUnitsX(4, base));
  grid->setVerticalSpacing(dialogUnitsY(3, base));
  auto *tools = new QHBoxLayout;
  tools->setSpacing(dialogUnitsX(2, base));
  tools->addWidget(remove_);
  tools->addWidget(new_);
  tools->addWidget(save_);
  tools->addStretch(1);
  tools->addWidget(help_);
  grid->addWidget(new QLabel(QStringLiteral("Project name"), this), 0, 0);
  grid->addWidget(projects_, 0, 1);
  grid->addLayout(tools, 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("Download path"), this), 1, 0);
  grid->addWidget(downloadPath_, 1, 1);
  auto *browseRow = new QHBoxLayout;
  browseRow->addWidget(browse_);
  browseRow->addStretch(1);
  grid->addLayout(browseRow, 1, 2);

  auto *group = new QGroupBox(QStringLiteral("FTP  connection "), this);
  auto *inner = new QGridLayout(group);
  inner->setHorizontalSpacing(dialogUnitsX(4, base));
  inner->setVerticalSpacing(dialogUnitsY(3, base));
  inner->addWidget(new QLabel(QStringLiteral("Host/IP/URL"), group), 0, 0);
  inner->addWidget(host_, 0, 1, 1, 3);
  inner->addWidget(new QLabel(QStringLiteral("Port"), group), 1, 0);
  inner->addWidget(port_, 1, 1);
  inner->addWidget(new QLabel(QStringLiteral("User name"), group), 1, 2);
  inner->addWidget(user_, 1, 3);
  inner->addWidget(new QLabel(QStringLiteral("Pswd"), group), 2, 0);
  inner->addWidget(password_, 2, 1);
  inner->addWidget(passive_, 2, 2, 1, 2);
  inner->addWidget(savePassword_, 3, 2, 1, 2);
  inner->setColumnStretch(1, 1);
  inner->setColumnStretch(3, 2);
  grid->addWidget(group, 2, 0, 1, 3);

  grid->addWidget(addName_, 3, 0, 1, 3);
  auto *last = new QHBoxLayout;
  last->addWidget(clear_);
  last->addStretch(1);
  last->addWidget(connect_);
  grid->addLayout(last, 4, 0, 1, 3);
  grid->setColumnStretch(1, 1);

  for (ToolButton *button : {remove_, new_, save_, browse_})
    button->setMinimumSize(22, 20);
  help_->setMinimumSize(20, 18);
  port_->setMaximumWidth(dialogUnitsX(40, base));
  connect_->setMinimumWidth(dialogUnitsX(50, base));
  projects_->setMinimumWidth(dialogUnitsX(130, base));
  const QSize template_ = dialogUnitsToPixels(QSize(251, 140), base);
  setMinimumSize(template_.expandedTo(grid->sizeHint()));
  resize(minimumSize());
  hide_->move(dialogUnitsX(7, base), 0);
  hide_->raise();
}

ConnectDialog::Fields ConnectDialog::readFields() {
  Fields fields;
  RemoteProject &p = fields.project;
  p.projectName = projects_->currentText().trimmed().toStdString();
  if (p.projectName.empty()) return fields.missing = "Project", fields;
  p.downloadPath = trimmed(downloadPath_);
  normalisePath(p.downloadPath);
  if (p.downloadPath.empty()) return fields.missing = "Download path", fields;
  p.host = trimmed(host_);
  if (p.host.empty()) return fields.missing = "Host name", fields;
  const std::string port = trimmed(port_);
  if (port.empty()) return fields.missing = "Port", fields;
  p.port = std::atoi(port.c_str());
  p.userName = trimmed(user_);
  if (p.userName.empty()) return fields.missing = "User name", fields;
  p.password = trimmed(password_);
  if (p.password.empty()) return fields.missing = "User pswd", fields;
  p.passive = passive_->isChecked();
  p.savePassword = savePassword_->isChecked();
  p.addProjectNameToDownload = addName_->isChecked();
  p.clearDownloadDirectory = clear_->isChecked();
  if (const RemoteProject *edited = store_.get(store_.selectedIndex())) {
    p.subdomainPath = edited->subdomainPath;
    p.subdomainName = edited->subdomainName;
  }
  return fields;
}

void ConnectDialog::showRecord(const RemoteProject &project, bool editMode) {
  if (!editMode)
    projects_->setEditText(QString());
  else if (!selectMatchingName(project.projectName))
    return;
  downloadPath_->setText(QString::fromStdString(project.downloadPath));
  host_->setText(QString::fromStdString(project.host));
  port_->setText(QString::number(project.port));
  user_->setText(QString::fromStdString(project.userName));
  password_->setText(QString::fromStdString(project.password));
  passive_->setChecked(project.passive != 0);
  savePassword_->setChecked(project.savePassword != 0);
  addName_->setChecked(project.addProjectNameToDownload != 0);
  clear_->setChecked(project.clearDownloadDirectory != 0);
}

void ConnectDialog::showStored(int index) {
  if (RemoteProject *record = store_.get(index)) showRecord(*record, true);
}

void ConnectDialog::showDefaults() { showRecord(RemoteProject{}, false); }

void ConnectDialog::prepareNew(bool copy) {
  newProject_ = RemoteProject{};
  if (!copy) return;
  Fields fields = readFields();
  newProject_ = fields.project;
  if (fields.missing) {
    // Fields after the missing one keep their defaults; so do the four boxes.
    const RemoteProject defaults;
    newProject_.passive = defaults.passive;
    newProject_.savePassword = defaults.savePassword;
    newProject_.addProjectNameToDownload = defaults.addProjectNameToDownload;
    newProject_.clearDownloadDirectory = defaults.clearDownloadDirectory;
  }
}

void ConnectDialog::showNew() { showRecord(newProject_, false); }

bool ConnectDialog::storeStep() {
  const Fields fields = readFields();
  if (fields.missing) {
    reportMissing(fields.missing);
    return false;
  }
  const int at = store_.selectedIndex();
  if (!checkName(at, fields.project.projectName)) return false;
  RemoteProject stored = fields.project;
  // A password the user does not want kept never reaches the list (nor its file).
  if (!stored.savePassword) stored.password.clear();
  RemoteProject *record = store_.get(at);
  if (!record) {
    store_.insertFirst(std::make_unique<RemoteProject>(stored));
    store_.setSelectedIndex(0);
    placeStoredName(-1, stored.projectName);
  } else {
    *record = stored;
    placeStoredName(at, stored.projectName);
  }
  downloadPath_->setText(QString::fromStdString(stored.downloadPath));
  return true;
}

bool ConnectDialog::prepareMirror(const std::string &folder, bool clear) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) {
    if (!askYesNo(this,
                  QStringLiteral("Download directory does not exist,\ndo you want to create it?")))
      return false;
    if (!createFolderPath(folder)) {
      showMessage(this, QStringLiteral("Error: can not create download directory"));
      return false;
    }
  } else if (!S_ISDIR(info.st_mode)) {
    // A file in the folder's place can hold no mirror.
    showMessage(this, QStringLiteral("Error: can not create download directory"));
    return false;
  }
  if (clear) {
    clearFolder(folder);
    return true;
  }
  if (!isFolderEmpty(folder) &&
      !askYesNo(this,
                QStringLiteral("Download directory is not empty,\ndo you still want to use it?")))
    return false;
  return true;
}

void ConnectDialog::connectProject() {
  if (!storeStep()) return;
  RemoteProject *record = store_.get(store_.selectedIndex());
  if (!record) return;
  record->normalise();
  if (!prepareMirror(record->downloadFolder(), record->clearDownloadDirectory != 0)) return;
  RemoteProject project = *record;
  project.password = trimmed(password_);
  working_ = project;
  jobs_.startJob(this, JOB_CONNECT);
}

void ConnectDialog::runJob(JobCode code, JobThread &job) {
  if (code != JOB_CONNECT) return;
  const RemoteProject project = guiResult([this] { return working_; });
  job.setStatusText(QStringLiteral("Connecting to site ") + QString::fromStdString(project.host));
  bool connected = false;
  for (int attempt = 0; attempt < 3 && !connected; ++attempt) {
    if (job.stopRequested()) break;
    connected = site_.connect(ftpLoginOf(project));
  }
  if (!connected) {
    guiCall([&] {
      if (ProgressPanel *panel = job.panel()) panel->hide();
    });
    showMessage(this, QStringLiteral("Can not connect to the host"));
    return;
  }
  guiCall([&] {
    CurrentRemoteProject.copy(project);
    accept();
  });
}

void ConnectDialog::reject() {
  if (jobs_.isRunning() && jobs_.isOwnedBy(this)) return;
  ProjectDialog::reject();
}

void ConnectDialog::moveEvent(QMoveEvent *event) {
  ProjectDialog::moveEvent(event);
  if (jobs_.isRunning() && jobs_.isOwnedBy(this)) jobs_.repositionPanel();
}

bool runConnectDialog(QWidget *owner, JobThread &jobs, FtpSite &site) {
  ConnectDialog dialog(jobs, site, owner);
  return dialog.exec() == QDialog::Accepted;
}

bool runConnectDialog(QWidget *owner) { return runConnectDialog(owner, jobThread(), ftpSite()); }

} // namespace linkmoor
