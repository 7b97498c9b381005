#include "workspace/sheet_remote_pg_edit.h"

#include "app/gui_call.h"
#include "app/job_thread.h"
#include "app/message_box.h"
#include "platform/ftp_site.h"
#include "storage/current_projects.h"
#include "storage/file_name_text.h"
#include "workspace/save_report.h"

namespace linkmoor {

SheetRemotePgEdit::SheetRemotePgEdit(ProjectSheet &sheet, QWidget *parent)
    : EditPage(sheet, parent) {}

void SheetRemotePgEdit::runSave(JobThread &job) {
  namespace r = save_report;
  const SaveInput input = takeSaveInput();
  const std::string localPath = CurrentRemoteProject.downloadFolder() + "/" + input.relativePath;
  QString report = QString::fromLatin1(r::kHeader);
  job.setStatusText(QStringLiteral("Saving file"));

  const bool written = writePage(localPath, input);
  report += QLatin1String(written ? r::kSaved : r::kNotSaved);

  bool uploaded = false;
  if (!written) {
    report += QLatin1String(r::kUploadIgnored);
  } else {
    FtpSite &site = ftpSite();
    const bool connected =
        site.isConnected() || site.reconnect([this](const std::string &question) {
          return askYesNo(this, QString::fromStdString(question));
        });
    job.setItemText("Uploading file", input.relativePath, false);
    if (connected) {
      std::string result;
      uploaded = site.uploadText(input.bytes, bytesOfCarried(input.relativePath), result);
      report += QLatin1String(uploaded ? r::kUploaded : r::kNotUploaded);
    } else {
      report += QLatin1String(r::kDisconnected);
    }
  }
  // Only a page that reached the site counts as saved: else the editor keeps its mark.
  if (uploaded) guiCall([this] { pane().setModified(false); });

  if (!uploaded) {
    report += QLatin1String(r::kGeneralIgnored);
    report += QLatin1String(r::kDescriptionIgnored);
  } else {
    const PassOutcome general = generalStep(input.relativePath, job);
    if (general == PassOutcome::Failed) {
      report += QLatin1String(r::kGeneralFailed);
      report += QLatin1String(r::kDescriptionIgnored);
    } else {
      report +=
          QLatin1String(general == PassOutcome::Done ? r::kGeneralDone : r::kGeneralCanceledRemote);
      const PassOutcome description = descriptionStep(input.relativePath, input.encoding, job);
      report += QLatin1String(description == PassOutcome::Done       ? r::kDescriptionDone
                              : description == PassOutcome::Canceled ? r::kDescriptionCanceled
                                                                     : r::kDescriptionFailed);
    }
  }
  finishSave(job, report);
}

} // namespace linkmoor
