#include "app/site_option_dialog.h"

#include "app/dialog_units.h"
#include "app/gui_call.h"
#include "app/help_topic.h"
#include "app/hidden_first_button.h"
#include "app/job_thread.h"
#include "app/message_box.h"
#include "platform/ftp_site.h"
#include "platform/host_lookup.h"
#include "storage/current_projects.h"
#include "storage/remote_project_store.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWhatsThis>

namespace linkmoor {

namespace {

const QString kHostNamePrefix = QStringLiteral("Host name\t");

QString resolvedLine(const std::string &official) {
  return kHostNamePrefix + QString::fromStdString(official);
}

} // namespace

QString subdomainConfirmation(const QString &typed, const QString &official) {
  return QStringLiteral("Inputted subdomain name is '") + typed + QStringLiteral("'\n") +
         QStringLiteral("checked  subdomain name is '") + official + QStringLiteral("'\n") +
         QStringLiteral("you sure your input is correct?\n");
}

QString cleanSubdomainName(const QString &typed) {
  QString name = typed.trimmed();
  name.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (name.endsWith(QLatin1Char('/')))
    name.chop(1);
  return name;
}

SiteOptionDialog::SiteOptionDialog(JobThread &jobs, FtpSite &site, QWidget *parent)
    : ConventionDialog(parent), jobs_(jobs), site_(site),
      hidden_(new HiddenFirstButton(QStringLiteral("Button1"), this)),
      host_(new QLabel(QStringLiteral("Host/IP/URL"), this)), name_(new QLineEdit(this)),
      path_(new QLineEdit(this)), resolved_(new QLabel(QStringLiteral("Host name"), this)),
      apply_(new QPushButton(QStringLiteral("Apply"), this)),
      close_(new QPushButton(QStringLiteral("Close"), this)) {
  setWindowTitle(QStringLiteral("Site option"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, true);
  const DialogBaseUnits base = dialogBaseUnits();
  auto place = [&](QWidget *widget, int x, int y, int w, int h) {
    widget->setGeometry(dialogUnitsToPixels(QRect(x, y, w, h), base));
  };
  setFixedSize(dialogUnitsToPixels(QSize(197, 122), base));
  place(hidden_, 0, 0, 6, 7);
  auto *hostLabel = new QLabel(QStringLiteral("Host/IP/URL"), this);
  auto *nameLabel = new QLabel(QStringLiteral("Subdomain name"), this);
  auto *pathLabel = new QLabel(QStringLiteral("Subdomain path"), this);
  auto *frame = new QGroupBox(QStringLiteral("Reference"), this);
  place(hostLabel, 10, 10, 60, 10);
  place(host_, 72, 10, 118, 10);
  place(nameLabel, 10, 26, 60, 10);
  place(name_, 72, 24, 118, 13);
  place(pathLabel, 10, 44, 60, 10);
  place(path_, 72, 42, 118, 13);
  place(frame, 7, 60, 183, 30);
  place(resolved_, 14, 72, 170, 12);
  resolved_->raise();
  place(apply_, 60, 100, 50, 14);
  place(close_, 120, 100, 50, 14);
  host_->setObjectName(QStringLiteral("host"));
  name_->setObjectName(QStringLiteral("subdomainName"));
  path_->setObjectName(QStringLiteral("subdomainPath"));
  path_->setReadOnly(true);
  resolved_->setObjectName(QStringLiteral("resolvedName"));
  resolved_->setTextFormat(Qt::PlainText);
  apply_->setObjectName(QStringLiteral("apply"));
  close_->setObjectName(QStringLiteral("close"));
  connect(apply_, &QPushButton::clicked, this, [this] { apply(); });
  connect(close_, &QPushButton::clicked, this, &SiteOptionDialog::reject);
}

bool SiteOptionDialog::begin() {
  const bool connected =
      site_.isConnected() || site_.reconnect([this](const std::string &question) {
        return askYesNo(this, QString::fromStdString(question));
      });
  if (!connected) return false;
  return jobs_.startJob(this, JOB_CHECK_SITE);
}

void SiteOptionDialog::runJob(JobCode code, JobThread &job) {
  if (code != JOB_CHECK_SITE) return;
  job.setStatusText(QStringLiteral("Checking site"));
  const RemoteProject project = guiResult([] { return CurrentRemoteProject; });
  guiCall([&] {
    host_->setText(QString::fromStdString(project.host));
    name_->setText(QString::fromStdString(project.subdomainName));
    path_->setText(QString::fromStdString(project.subdomainPath));
  });
  std::string official;
  if (!project.subdomainName.empty()) lookUpHost(project.subdomainName, official);
  guiCall([&] { resolved_->setText(resolvedLine(official)); });
}

bool SiteOptionDialog::apply() {
  if (jobs_.isRunning()) return false;
  const QString name = cleanSubdomainName(name_->text());
  name_->setText(name);
  if (name.isEmpty()) {
    showMessage(this, QStringLiteral("Please input 'Subdomain name'\n"));
    return false;
  }
  std::string official;
  if (!lookUpHost(name.toStdString(), official)) {
    showMessage(this,
                QStringLiteral("Can not find the subdomain on the internet,\nplease correct it\n"));
    return false;
  }
  const QString host = QString::fromStdString(hostPartOf(name.toStdString())).toLower();
  const QString officialText = QString::fromStdString(official);
  if (host != officialText.toLower() && host != QStringLiteral("www.") + officialText.toLower() &&
      !askYesNo(this, subdomainConfirmation(name, officialText)))
    return false;
  // A project file that cannot be read or written does not stop the name taking effect.
  RemoteProjectStore store;
  store.changeSelected(RemoteField::SubdomainName, name.toStdString());
  CurrentRemoteProject.subdomainName = name.toStdString();
  resolved_->setText(resolvedLine(official));
  showMessage(this, QStringLiteral("'Subdomain name' has been updated successfully.\n"));
  return true;
}

void SiteOptionDialog::reject() {
  if (jobs_.isOwnedBy(this)) return;
  ConventionDialog::reject();
}

bool SiteOptionDialog::event(QEvent *event) {
  if (event->type() == QEvent::EnterWhatsThisMode) {
    QWhatsThis::leaveWhatsThisMode();
    showHelpTopic(this, QStringLiteral("site/siteoption.htm"));
    return true;
  }
  return ConventionDialog::event(event);
}

void runSiteOptionDialog(QWidget *owner, JobThread &jobs, FtpSite &site) {
  SiteOptionDialog dialog(jobs, site, owner);
  if (!dialog.begin()) return;
  dialog.exec();
}

} // namespace linkmoor
