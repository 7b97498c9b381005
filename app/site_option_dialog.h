#pragma once
// "Site option": the connected remote project's FTP host, its subdomain path (chosen
// in the remote tree, read only here) and its subdomain name, the host name under which
// the site is served. Opening fills the dialog and resolves the name (job 52); "Apply"
// checks a new name on the internet and stores it in the project file and in
// CurrentRemoteProject.

#include "app/convention_dialog.h"
#include "app/job_owner.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace linkmoor {

class FtpSite;
class HiddenFirstButton;
class JobThread;

/// The confirmation asked when the typed name is neither the official host name nor
/// "www." followed by it.
QString subdomainConfirmation(const QString &typed, const QString &official);
/// The typed subdomain name as "Apply" checks it: white space trimmed, backslashes made
/// forward slashes, trailing slashes removed.
QString cleanSubdomainName(const QString &typed);

/// The site option dialog.
class SiteOptionDialog : public ConventionDialog, public JobOwner {
  Q_OBJECT
public:
  /// The dialog over `parent`, checking the connection of `site`, with job 52 run by
  /// `jobs`.
  SiteOptionDialog(JobThread &jobs, FtpSite &site, QWidget *parent = nullptr);

  /// Opening: when `site` is connected, or the user agrees to reconnect and that works,
  /// starts job 52 and returns true; else false (the dialog is then not to be shown).
  bool begin();
  /// "Apply": checks the typed name and stores it; true when stored.
  bool apply();

  /// Job 52 on the worker thread: fills the fields and resolves the subdomain name.
  void runJob(JobCode code, JobThread &job) override;

  /// The host text (1062).
  QLabel *hostText() const { return host_; }
  /// The subdomain name field (1006).
  QLineEdit *subdomainNameField() const { return name_; }
  /// The read-only subdomain path field (1007).
  QLineEdit *subdomainPathField() const { return path_; }
  /// The resolved name in the "Reference" frame (1063).
  QLabel *resolvedText() const { return resolved_; }
  /// "Apply" (1064).
  QPushButton *applyButton() const { return apply_; }
  /// "Close" (1065).
  QPushButton *closeButton() const { return close_; }

public slots:
  /// Refused while job 52 runs (its writes go into this dialog).
  void reject() override;

protected:
  bool event(QEvent *event) override;

private:
  JobThread &jobs_;
  FtpSite &site_;
  HiddenFirstButton *hidden_;
  QLabel *host_;
  QLineEdit *name_;
  QLineEdit *path_;
  QLabel *resolved_;
  QPushButton *apply_;
  QPushButton *close_;
};

/// "Site option": shows the dialog modally over `owner` unless no connection can be had.
void runSiteOptionDialog(QWidget *owner, JobThread &jobs, FtpSite &site);

} // namespace linkmoor
