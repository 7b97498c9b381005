#pragma once
// The editor pane of an edit page: the file label, the line-number strip, the
// editor and the save button, which the page creates as its own children and
// binds here. The pane lays them out, keeps the strip in step with the
// editor's scrolling, and moves the text in and out. It knows no files: the
// page decides what is shown and where it is saved.

#include "storage/page_text_codec.h"
#include "storage/widgets/editor_control.h"
#include "storage/widgets/editor_layout.h"
#include "storage/widgets/line_number_gutter.h"

#include <QAbstractButton>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>

#include <string>
#include <string_view>

class QPainter;

namespace linkmoor {

/// The editor pane of one edit page.
class EditorPane : public QObject {
  Q_OBJECT
public:
  /// An unbound pane.
  explicit EditorPane(QObject *parent = nullptr);

  /// Takes the page and its four controls (all children of `page`): gives the
  /// editor the fixed-pitch font and measures its line height in it, hands the
  /// line height to the strip, sets the strip's first line to 0, empties the
  /// label and lays the pane out. From then on the pane follows the page's
  /// size changes and the editor's scrolling by itself. A save button that was
  /// never sized gets its size hint.
  void bind(QWidget *page, QLabel *fileLabel, QAbstractButton *saveButton, LineNumberGutter *gutter,
            EditorControl *editor);
  /// True once bind has run and all five windows still exist.
  bool isBound() const;

  /// Places the windows in the page's present client area (see
  /// editorPaneLayout) and stores the frame rectangle. Does nothing while any
  /// of the five windows is missing. Runs by itself on every size change.
  void layout();
  /// The area of strip and editor in the page's coordinates, as last laid out.
  QRect frameRect() const { return frame_; }
  /// Draws the sunken double frame around strip and editor; the page calls it
  /// from its paint handler, after painting its background.
  void drawFrame(QPainter &painter) const;

  /// Empties the label and the editor and disables the save button.
  void clear();
  /// Shows `text` for the file `filePath`: the label shows the path, the save
  /// button is enabled, and the text, with its line ends made LF (see
  /// toEditorLineEnds), replaces the editor's contents, unmodified, at the
  /// top. The encoding for saving stays as it was. Returns true.
  bool show(const QString &filePath, const QString &text);
  /// Shows a page given as its bytes: decodes them as UTF-8 when they are
  /// valid UTF-8, else as Latin-1, remembers that encoding for saving, and
  /// shows the text as `show` does. Returns true.
  bool showPage(const QString &filePath, std::string_view bytes);
  /// The label's text: the path given to show, empty when cleared.
  QString filePath() const;
  /// The encoding in which bytesForSaving writes (UTF-8 until a page is shown).
  PageEncoding encoding() const { return encoding_; }
  /// Sets the encoding in which bytesForSaving writes.
  void setEncoding(PageEncoding encoding) { encoding_ = encoding; }

  /// Sets the strip's first line to the editor's first visible line (and its
  /// rows to where the editor's lines stand); the strip redraws only on change.
  void sync();

  /// The editor's whole text with LF line ends (CR LF runs made LF).
  QString textForSaving() const;
  /// textForSaving as bytes in `encoding()`. Fails (and leaves `bytes` empty)
  /// when the text holds a character the encoding cannot hold, such as "€" in
  /// a Latin-1 page; the result tells where. The page is never switched to
  /// another encoding behind the user's back.
  PageEncodeResult bytesForSaving(std::string &bytes) const;

  /// Whether the user changed the text since it was shown or marked saved.
  bool isModified() const;
  /// Marks the text changed (true) or saved (false).
  void setModified(bool modified);
  /// Puts the caret on line `lineNumber` (from 1), selecting it when
  /// `selectLine`, and scrolls it to the top of the view.
  void goToLine(int lineNumber, bool selectLine = true);
  /// Scrolls so that line `lineNumber` (from 1) is the first visible one.
  void scrollToLine(int lineNumber);

  /// The bound controls (null before bind).
  EditorControl *editor() const { return editor_; }
  LineNumberGutter *gutter() const { return gutter_; }
  QLabel *fileLabel() const { return fileLabel_; }
  QAbstractButton *saveButton() const { return saveButton_; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QPointer<QWidget> page_;
  QPointer<QLabel> fileLabel_;
  QPointer<QAbstractButton> saveButton_;
  QPointer<LineNumberGutter> gutter_;
  QPointer<EditorControl> editor_;
  QRect frame_;
  PageEncoding encoding_ = PageEncoding::Utf8;
};

} // namespace linkmoor
