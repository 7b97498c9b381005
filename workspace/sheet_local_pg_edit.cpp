#include "workspace/sheet_local_pg_edit.h"

#include "app/gui_call.h"
#include "app/job_thread.h"
#include "storage/current_projects.h"
#include "workspace/save_report.h"

namespace linkmoor {

SheetLocalPgEdit::SheetLocalPgEdit(ProjectSheet &sheet, QWidget *parent)
    : EditPage(sheet, parent) {}

void SheetLocalPgEdit::runSave(JobThread &job) {
  namespace r = save_report;
  const SaveInput input = takeSaveInput();
  const std::string fullPath = CurrentLocalProject.rootPath + "/" + input.relativePath;
  QString report = QString::fromLatin1(r::kHeader);
  job.setStatusText(QStringLiteral("Saving file"));

  const bool written = writePage(fullPath, input);
  if (written) guiCall([this] { pane().setModified(false); });
  report += QLatin1String(written ? r::kSaved : r::kNotSaved);

  PassOutcome general = PassOutcome::Failed;
  if (written) {
    general = generalStep(input.relativePath, job);
    report += QLatin1String(general == PassOutcome::Done       ? r::kGeneralDone
                            : general == PassOutcome::Canceled ? r::kGeneralCanceled
                                                               : r::kGeneralFailed);
  } else {
    report += QLatin1String(r::kGeneralIgnored);
  }

  if (!written || general != PassOutcome::Done) {
    report += QLatin1String(r::kDescriptionIgnored);
  } else {
    job.setStatusText(QStringLiteral("Finding file discription"));
    const PassOutcome description = descriptionStep(input.relativePath, input.encoding, job);
    report += QLatin1String(description == PassOutcome::Done       ? r::kDescriptionDone
                            : description == PassOutcome::Canceled ? r::kDescriptionCanceled
                                                                   : r::kDescriptionFailed);
  }
  finishSave(job, report);
}

} // namespace linkmoor
