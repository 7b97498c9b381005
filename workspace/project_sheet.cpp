#include "workspace/project_sheet.h"

#include "app/gui_call.h"
#include "app/job_thread.h"
#include "app/message_box.h"
#include "app/workspace_brush.h"
#include "engine/analysis_pass.h"
#include "engine/html_scanner.h"
#include "engine/parallel_link_checker.h"
#include "workspace/edit_page.h"
#include "workspace/error_page.h"
#include "workspace/sheet_tabs.h"
#include "workspace/summary_page.h"
#include "workspace/workspace_geometry.h"

#include <QApplication>
#include <QPainter>

namespace linkmoor {

ProjectSheet::ProjectSheet(const SheetTraits &traits, const QString &caption, QWidget *parent,
                           JobThread &jobs)
    : WorkspaceSheet(traits.remote ? Kind::Remote : Kind::Local, caption, parent), traits_(traits),
      jobs_(jobs), tabs_(new SheetTabs(this)) {
  tabs_->setLeaveGuard([this] { return !jobRunning(); });
  // Only the sheet's margin shows the workspace colour; the pages are ordinary dialogs.
  QPalette colours = tabs_->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    colours.setColor(group, QPalette::Window,
                     QApplication::palette().color(group, QPalette::Window));
  tabs_->setPalette(colours);
  tabs_->setGeometry(sheetTabRect(rect()));
}

ProjectSheet::~ProjectSheet() = default;

bool ProjectSheet::jobRunning() const { return jobs_.isRunning(); }

void ProjectSheet::addPages(QWidget *main, SummaryPage *info, ErrorPage *desc, EditPage *edit) {
  main_ = main;
  info_ = info;
  desc_ = desc;
  edit_ = edit;
  QWidget *pages[] = {main, info, desc, edit};
  for (int i = 0; i < 4; ++i)
    tabs_->addTab(pages[i], traits_.pageCaptions[static_cast<std::size_t>(i)]);
  // The tabs leave the fill to their pages; the pages fill themselves like dialogs.
  for (QWidget *page : pages)
    page->setAutoFillBackground(true);
  for (int i = 0; i < 4; ++i)
    tabs_->setCurrentIndex(i);
  tabs_->setCurrentIndex(0);
}

int ProjectSheet::activePageIndex() const { return tabs_->currentIndex(); }

bool ProjectSheet::hasUnsavedEdits() const { return edit_->pane().isModified(); }

bool ProjectSheet::setActivePage(int index) { return tabs_->showPage(index); }

void ProjectSheet::showFile(const std::string &path, bool hasErrors) {
  if (jobRunning()) return;
  // Showing another page replaces the editor's text: unsaved corrections must not
  // go without the user's word.
  if (hasUnsavedEdits() && !askYesNo(this, QString::fromLatin1(kDiscardEditsQuestion))) return;
  currentFile_ = path;
  setActivePage(hasErrors ? PAGE_DESC : PAGE_EDIT);
  desc_->clearRecords();
  edit_->clearEditor();
  jobs_.startJob(this, traits_.showFileJob);
}

void ProjectSheet::refreshFile() { jobs_.startJob(this, traits_.refreshJob); }

void ProjectSheet::analyzeFiles(const QString &folder, const QStringList &files) {
  if (jobRunning()) return;
  setActivePage(PAGE_INFO);
  info_->listFiles(folder, files);
}

void ProjectSheet::updateSummaryRow(const std::string &path, const FileSummary &summary) {
  info_->updateSummaryRow(path, summary);
}

void ProjectSheet::markRowCanceled(const std::string &path) { info_->markRowCanceled(path); }

void ProjectSheet::showRecords(const ErrorList &errors, PageEncoding encoding) {
  desc_->showRecords(errors, encoding);
}

void ProjectSheet::clearFileView() {
  currentFile_.clear();
  desc_->clearRecords();
  edit_->clearEditor();
}

void ProjectSheet::setCheckerFactory(CheckerFactory factory) {
  checkerFactory_ = std::move(factory);
}

std::unique_ptr<LinkChecker> ProjectSheet::makeChecker(JobControl &job) const {
  if (jobChecker_) return std::make_unique<SharedLinkChecker>(jobChecker_);
  if (checkerFactory_) return checkerFactory_(job);
  return std::make_unique<ParallelLinkChecker>();
}

ProjectSheet::JobChecks::JobChecks(const ProjectSheet &sheet, JobControl &job)
    : sheet_(sheet), owner_(!sheet.jobChecker_) {
  // An inner scope of the same job keeps the outer one's checker.
  if (owner_) sheet_.jobChecker_ = std::shared_ptr<LinkChecker>(sheet_.makeChecker(job));
}

ProjectSheet::JobChecks::~JobChecks() {
  if (owner_) sheet_.jobChecker_.reset();
}

void ProjectSheet::runJob(JobCode code, JobThread &job) {
  const JobChecks checks(*this, job);
  if (code == traits_.showFileJob)
    runShowFile(job);
  else if (code == traits_.refreshJob)
    info_->refreshSelected(job);
}

void ProjectSheet::runShowFile(JobThread &job) {
  if (!traits_.remote) job.setStatusText(QStringLiteral("Finding file description"));
  desc_->clearRecords();
  edit_->clearEditor();
  // currentFile only changes on the GUI thread while no job runs.
  const std::string path = guiResult([this] { return currentFile_; });

  ErrorList errors;
  ByteBuffer text;
  HtmlScanner scanner;
  std::unique_ptr<LinkChecker> checker = makeChecker(job);
  PassContext context(traits_.remote, job, *checker);
  const int read = findDescription(scanner, path, errors, text, context);
  if (context.stop || context.skip || !read) return;
  // The buffer holds the page and one zero byte after it.
  const std::size_t size = text.size() > 0 ? static_cast<std::size_t>(text.size()) - 1 : 0;
  const std::string_view page(text.data() ? text.data() : "", size);
  desc_->showRecords(errors, detectPageEncoding(page));
  edit_->loadText(path, page);
}

void ProjectSheet::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.fillRect(rect(), workspaceBrush());
  for (const Stroke &stroke : sheetFrameStrokes(rect()))
    painter.fillRect(stroke.rect, stroke.colour);
}

void ProjectSheet::resizeEvent(QResizeEvent *event) {
  WorkspaceSheet::resizeEvent(event);
  tabs_->setGeometry(sheetTabRect(rect()));
  update();
}

} // namespace linkmoor
