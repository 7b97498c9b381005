#pragma once
// The remote project dialog: keeps the list of remote projects (an FTP site with its
// account and options, and the local folder it is mirrored into), prepares the chosen
// project's mirror folder and connects to its site as job 51. It ends with OK only
// after the connection was made; CurrentRemoteProject then holds the project and the
// FtpSite it was given holds the open connection.

#include "app/job_owner.h"
#include "app/project_dialog.h"
#include "platform/ftp_site.h"
#include "storage/remote_project_store.h"

#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace linkmoor {

class JobThread;

/// The connection fields of `project` for FtpSite.
FtpLogin ftpLoginOf(const RemoteProject &project);

/// "Connect": the remote project dialog.
class ConnectDialog : public ProjectDialog, public JobOwner {
  Q_OBJECT
public:
  /// Loads the project list and shows the selected project; connects through `site`
  /// with jobs run by `jobs`.
  ConnectDialog(JobThread &jobs, FtpSite &site, QWidget *parent = nullptr);
  /// Saves the project list, however the dialog ended; passwords of projects whose
  /// "Save pswd" is clear are never written.
  ~ConnectDialog() override;

  /// The project list.
  RemoteProjectStore &store() { return store_; }
  /// The project that job 51 connects to (set by "Connect").
  const RemoteProject &workingProject() const { return working_; }
  /// "Download path" (1007).
  QLineEdit *downloadPathField() const { return downloadPath_; }
  /// "Host/IP/URL" (1002).
  QLineEdit *hostField() const { return host_; }
  /// "Port" (1003).
  QLineEdit *portField() const { return port_; }
  /// "User name" (1004).
  QLineEdit *userField() const { return user_; }
  /// "Pswd" (1005).
  QLineEdit *passwordField() const { return password_; }
  /// "Use PASV transfer" (1008).
  QCheckBox *passiveBox() const { return passive_; }
  /// "Save pswd" (1009).
  QCheckBox *savePasswordBox() const { return savePassword_; }
  /// "Add project name as download sub-directory" (1066).
  QCheckBox *addNameBox() const { return addName_; }
  /// "Clear download directory" (1065).
  QCheckBox *clearBox() const { return clear_; }
  /// "Connect" (1012).
  QPushButton *connectButton() const { return connect_; }

  /// "Connect": stores, prepares the mirror folder and starts job 51.
  void connectProject();
  /// Job 51 on the worker thread: up to three attempts, Stop read before each.
  void runJob(JobCode code, JobThread &job) override;

  /// Closing; refused while the dialog's connection job runs.
  void reject() override;

protected:
  /// Moving the dialog keeps the progress strip centred over it.
  void moveEvent(QMoveEvent *event) override;

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
  QLineEdit *folderField() const override { return downloadPath_; }

private:
  struct Fields {
    const char *missing = nullptr; ///< the first missing field's word, or none
    RemoteProject project;         ///< what could be read before it
  };
  Fields readFields();
  void showRecord(const RemoteProject &project, bool editMode);
  bool prepareMirror(const std::string &folder, bool clear);
  void layoutControls();

  JobThread &jobs_;
  FtpSite &site_;
  RemoteProjectStore store_;
  RemoteProject working_;
  RemoteProject newProject_;
  QLineEdit *downloadPath_;
  QLineEdit *host_;
  QLineEdit *port_;
  QLineEdit *user_;
  QLineEdit *password_;
  QCheckBox *passive_;
  QCheckBox *savePassword_;
  QCheckBox *addName_;
  QCheckBox *clear_;
  QPushButton *connect_;
};

/// Runs the remote project dialog over `owner` with the program's job runner and FTP
/// connection; true when it ended connected.
bool runConnectDialog(QWidget *owner);
/// The same with a given job runner and connection.
bool runConnectDialog(QWidget *owner, JobThread &jobs, FtpSite &site);

} // namespace linkmoor
