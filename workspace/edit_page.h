#pragma once
// The edit page of a workspace sheet: the shown file's text in the editor pane with its
// line-number strip, and the save button. Saving writes the page, analyses it again,
// brings the info row and the error list up to date and reports every step. The local
// page and its remote twin share the pane and the steps; each composes its own save.

#include "app/job_owner.h"
#include "engine/file_summary.h"
#include "storage/page_text_codec.h"
#include "storage/widgets/editor_pane.h"

#include <QString>
#include <QWidget>
#include <string>
#include <string_view>

class QLabel;
class QPushButton;

namespace linkmoor {

class EditorControl;
class LineNumberGutter;
class ProjectSheet;

/// Page 3 of a workspace sheet.
class EditPage : public QWidget, public JobOwner {
  Q_OBJECT
public:
  /// The page of `sheet` with its save button captioned by the sheet's traits.
  explicit EditPage(ProjectSheet &sheet, QWidget *parent = nullptr);

  /// The pane and its parts.
  EditorPane &pane() { return pane_; }
  QLabel *fileLabel() const { return label_; }
  QPushButton *saveButton() const { return save_; }
  LineNumberGutter *gutter() const { return gutter_; }
  EditorControl *editor() const { return editor_; }

  /// Empties the label and the editor and disables the save button. Any thread.
  void clearEditor();
  /// Shows the page `bytes` of the file `path` (decoded as UTF-8 when valid, else as
  /// Latin-1, and saved back the same way) and enables the save button. Any thread.
  void loadText(const std::string &path, std::string_view bytes);

  /// The save job (101 or 58) on the worker thread.
  void runJob(JobCode code, JobThread &job) override;

protected:
  /// What a save starts from, read from the page on the GUI thread.
  struct SaveInput {
    std::string relativePath; ///< the label: the file relative to the project's root
    std::string bytes;        ///< the editor's text in the page's encoding, with the line ends
                              ///< the general options choose (CR LF or LF)
    bool encoded = false;     ///< false when the text holds a character the encoding lacks
    PageEncoding encoding = PageEncoding::Utf8;
  };
  /// How a pass over the saved page ended.
  enum class PassOutcome { Done, Failed, Canceled };

  /// The job's own steps; the local and the remote page compose them.
  virtual void runSave(JobThread &job) = 0;
  /// Disables the save button and reads the path and the text. Worker thread.
  SaveInput takeSaveInput();
  /// Replaces the file at `fullPath` by the text, atomically: a failure leaves the old
  /// file whole. False when the text could not be encoded or written.
  static bool writePage(const std::string &fullPath, const SaveInput &input);
  /// The general pass over the saved page; fills the info row, or marks it canceled when
  /// Stop or Skip cut the link checks short.
  PassOutcome generalStep(const std::string &relativePath, JobThread &job);
  /// The description pass over the saved page; lists its rows on the desc page.
  PassOutcome descriptionStep(const std::string &relativePath, PageEncoding encoding,
                              JobThread &job);
  /// Closes the progress strip, shows `report` and enables the save button again.
  void finishSave(JobThread &job, const QString &report);

  ProjectSheet &sheet() const { return sheet_; }

  void paintEvent(QPaintEvent *event) override;

private:
  ProjectSheet &sheet_;
  QLabel *label_;
  std::string shownPath_; ///< the file shown, in its carried form (the label shows it readably)
  QPushButton *save_;
  LineNumberGutter *gutter_;
  EditorControl *editor_;
  EditorPane pane_;
};

} // namespace linkmoor
