#pragma once
// A workspace sheet: four pages on tabs (main, info, desc, edit) over one open
// project, and the meeting point of its pages. A page that wants another page to show
// something asks the sheet; the jobs that fill the error list and the editor run with
// the sheet as their owner. The local sheet and its remote twin are this class with
// their own traits and main page.

#include "app/job_owner.h"
#include "app/workspace_sheet.h"
#include "engine/error_list.h"
#include "engine/file_summary.h"
#include "engine/job_control.h"
#include "engine/link_checker.h"
#include "storage/page_text_codec.h"
#include "workspace/sheet_traits.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <string>

namespace linkmoor {

class EditPage;
class ErrorPage;
class JobThread;
class SheetTabs;
class SummaryPage;

/// The sheet of one open project.
class ProjectSheet : public WorkspaceSheet, public JobOwner {
  Q_OBJECT
public:
  /// Makes the link checker of one job; the job outlives the checker.
  using CheckerFactory = std::function<std::unique_ptr<LinkChecker>(JobControl &job)>;

  /// The index of each page.
  enum Page { PAGE_MAIN = 0, PAGE_INFO = 1, PAGE_DESC = 2, PAGE_EDIT = 3 };

  /// A sheet of the kind `traits` describe, with window caption `caption`, over
  /// `parent`, running its jobs on `jobs`. The subclass adds the pages.
  ProjectSheet(const SheetTraits &traits, const QString &caption, QWidget *parent, JobThread &jobs);
  ~ProjectSheet() override;

  /// What sets this sheet apart from its twin.
  const SheetTraits &traits() const { return traits_; }
  /// The job runner.
  JobThread &jobs() const { return jobs_; }
  /// True while any job runs.
  bool jobRunning() const;

  /// The tab control.
  SheetTabs *tabs() const { return tabs_; }
  /// The page shown: 0 main, 1 info, 2 desc, 3 edit.
  int activePageIndex() const override;
  bool hasUnsavedEdits() const override;
  /// Shows page `index` unless a job runs; true when it is shown after.
  bool setActivePage(int index);
  /// The pages.
  QWidget *mainPageWidget() const { return main_; }
  SummaryPage *summaryPage() const { return info_; }
  ErrorPage *errorPage() const { return desc_; }
  EditPage *editPage() const { return edit_; }

  /// The file shown on the desc and edit pages, relative to the project's root; empty
  /// until a file is shown.
  const std::string &currentFile() const { return currentFile_; }
  /// Shows `path`: it becomes `currentFile`, the desc page (with errors) or the edit
  /// page becomes active, both are emptied, and the show-the-file job starts. When the
  /// editor holds unsaved changes, asks kDiscardEditsQuestion first; No keeps them.
  void showFile(const std::string &path, bool hasErrors);
  /// Starts the job that analyses the info page's selected row again.
  void refreshFile();
  /// Shows the info page and hands it `files` (relative to `folder`), which it lists
  /// and analyses. Nothing happens while a job runs.
  virtual void analyzeFiles(const QString &folder, const QStringList &files);
  /// Fills the info page's row of `path` from `summary`. Any thread.
  void updateSummaryRow(const std::string &path, const FileSummary &summary);
  /// Marks the info page's row of `path` canceled. Any thread.
  void markRowCanceled(const std::string &path);
  /// Lists `errors` on the desc page; the excerpts come from a page in `encoding`.
  /// Any thread.
  void showRecords(const ErrorList &errors, PageEncoding encoding = PageEncoding::Utf8);
  /// Empties the desc page and the editor and forgets `currentFile`.
  void clearFileView();

  /// Keeps one link checker for every pass of a job while it lives, so that the job
  /// asks the web once per address; its answers are dropped with it, so the next job
  /// asks again. Made and destroyed on the job's thread.
  class JobChecks {
  public:
    /// Makes the job's checker (see makeChecker).
    JobChecks(const ProjectSheet &sheet, JobControl &job);
    /// Drops the checker and its answers.
    ~JobChecks();
    JobChecks(const JobChecks &) = delete;
    JobChecks &operator=(const JobChecks &) = delete;

  private:
    const ProjectSheet &sheet_;
    bool owner_;
  };

  /// Replaces how jobs check links (tests); an empty factory restores the network checker.
  void setCheckerFactory(CheckerFactory factory);
  /// A link checker for `job`: the one of the job's JobChecks while there is one, else
  /// a new one. The network checker asks kParallelLinkChecks addresses at a time over
  /// kept connections and keeps each answer (and each host not found) for its life.
  std::unique_ptr<LinkChecker> makeChecker(JobControl &job) const;

  /// Jobs 102/53 (show the file) and 103/59 (refresh the selected row); worker thread.
  void runJob(JobCode code, JobThread &job) override;

protected:
  /// Adds the four pages in their order with the traits' captions, then shows each
  /// once and the main page again, so every page is laid out before jobs fill it.
  void addPages(QWidget *main, SummaryPage *info, ErrorPage *desc, EditPage *edit);

  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;

private:
  void runShowFile(JobThread &job);

  const SheetTraits &traits_;
  JobThread &jobs_;
  SheetTabs *tabs_;
  QWidget *main_ = nullptr;
  SummaryPage *info_ = nullptr;
  ErrorPage *desc_ = nullptr;
  EditPage *edit_ = nullptr;
  std::string currentFile_;
  CheckerFactory checkerFactory_;
  /// The checker of the running job's JobChecks; touched only on the job's thread.
  mutable std::shared_ptr<LinkChecker> jobChecker_;
};

} // namespace linkmoor
