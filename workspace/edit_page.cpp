#include "workspace/edit_page.h"

#include "app/general_options.h"
#include "storage/line_endings.h"

#include "app/gui_call.h"
#include "app/job_thread.h"
#include "app/message_box.h"
#include "engine/analysis_pass.h"
#include "engine/html_scanner.h"
#include "storage/file_name_text.h"
#include "storage/safe_file_write.h"
#include "storage/widgets/editor_control.h"
#include "storage/widgets/line_number_gutter.h"
#include "workspace/error_page.h"
#include "workspace/project_sheet.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace linkmoor {

EditPage::EditPage(ProjectSheet &sheet, QWidget *parent)
    : QWidget(parent), sheet_(sheet), label_(new QLabel(QStringLiteral("File"), this)),
      save_(new QPushButton(sheet.traits().saveCaption, this)), gutter_(new LineNumberGutter(this)),
      editor_(new EditorControl(this)), pane_(this) {
  label_->setObjectName(QStringLiteral("fileLabel"));
  save_->setObjectName(QStringLiteral("saveButton"));
  save_->setAutoDefault(false);
  save_->resize(std::max(save_->sizeHint().width(), 75), save_->sizeHint().height());
  pane_.bind(this, label_, save_, gutter_, editor_);
  save_->setEnabled(false);
  connect(save_, &QPushButton::clicked, this,
          [this] { sheet_.jobs().startJob(this, sheet_.traits().saveJob); });
}

void EditPage::clearEditor() {
  guiCall([this] {
    pane_.clear();
    shownPath_.clear();
  });
}

void EditPage::loadText(const std::string &path, std::string_view bytes) {
  guiCall([&] {
    pane_.showPage(QString::fromStdString(path), bytes);
    // The label shows the name readably ("\xE9" for a byte that is no UTF-8); the
    // carried form, which gives the bytes back, stays with the page for saving.
    shownPath_ = path;
    label_->setText(QString::fromStdString(readableText(bytesOfCarried(path))));
  });
}

void EditPage::runJob(JobCode code, JobThread &job) {
  // The save runs two passes: one checker answers both, each address asked once.
  const ProjectSheet::JobChecks checks(sheet_, job);
  if (code == sheet_.traits().saveJob) runSave(job);
}

EditPage::SaveInput EditPage::takeSaveInput() {
  return guiResult([this] {
    save_->setEnabled(false);
    SaveInput input;
    input.relativePath = pane_.filePath().isEmpty() ? std::string() : shownPath_;
    input.encoding = pane_.encoding();
    input.encoded = pane_.bytesForSaving(input.bytes).ok;
    // The editor holds LF line ends; the general options say what the file gets.
    if (generalOptions().lineEnding == 0) input.bytes = withCrLfLineEnds(input.bytes);
    return input;
  });
}

bool EditPage::writePage(const std::string &fullPath, const SaveInput &input) {
  return input.encoded && !input.relativePath.empty() &&
         writeFileSafely(bytesOfCarried(fullPath), input.bytes) == WriteOutcome::Written;
}

EditPage::PassOutcome EditPage::generalStep(const std::string &relativePath, JobThread &job) {
  HtmlScanner scanner;
  FileSummary summary;
  std::unique_ptr<LinkChecker> checker = sheet_.makeChecker(job);
  PassContext context(sheet_.traits().remote, job, *checker);
  const int analysed = findGeneralInfo(scanner, relativePath, summary, context);
  if (!analysed) return PassOutcome::Failed;
  // Skip, like Stop, leaves only part of the links checked: the counts would be wrong.
  if (context.stop || context.skip) {
    sheet_.markRowCanceled(relativePath);
    return PassOutcome::Canceled;
  }
  sheet_.updateSummaryRow(relativePath, summary);
  return PassOutcome::Done;
}

EditPage::PassOutcome EditPage::descriptionStep(const std::string &relativePath,
                                                PageEncoding encoding, JobThread &job) {
  HtmlScanner scanner;
  ErrorList errors;
  ByteBuffer text;
  std::unique_ptr<LinkChecker> checker = sheet_.makeChecker(job);
  PassContext context(sheet_.traits().remote, job, *checker);
  const int read = findDescription(scanner, relativePath, errors, text, context);
  if (!read) return PassOutcome::Failed;
  if (context.stop || context.skip) {
    sheet_.errorPage()->clearRecords();
    return PassOutcome::Canceled;
  }
  sheet_.showRecords(errors, encoding);
  return PassOutcome::Done;
}

void EditPage::finishSave(JobThread &job, const QString &report) {
  guiCall([&] {
    if (ProgressPanel *panel = job.panel()) panel->hide();
  });
  showMessage(this, report);
  guiCall([this] { save_->setEnabled(!pane_.filePath().isEmpty()); });
}

void EditPage::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  pane_.drawFrame(painter);
}

} // namespace linkmoor
