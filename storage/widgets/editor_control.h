#pragma once
// The plain-text editing control of the editor pane. Lines never wrap, so one
// line of the text is one line on the screen and the line-number strip can
// count them. Whatever way text arrives (keys, the context menu, dragging,
// the selection clipboard), only its plain text is inserted.

#include "storage/widgets/editor_menu.h"

#include <QPlainTextEdit>

#include <vector>

class QMenu;

namespace linkmoor {

/// The editor of one page's text.
class EditorControl : public QPlainTextEdit {
  Q_OBJECT
public:
  /// The probe text whose character positions give the line height.
  static constexpr const char *kProbeText = "0123456789\n0123456789\n0123456789\n0123456789\n";

  /// An empty editor in the fixed-pitch font, without a frame of its own.
  explicit EditorControl(QWidget *parent = nullptr);

  /// Measures the pixels between two lines in the present font: puts the probe
  /// text in, takes the vertical distance between characters 15 and 25 (second
  /// and third line) and empties the editor again. Falls back to the font's
  /// line spacing should the measure not come out positive. Returns and keeps it.
  int measureLineHeight();
  /// The line height last measured (0 before any measure).
  int lineHeight() const { return lineHeight_; }

  /// Index (from 0) of the first line visible at the top of the view.
  int firstVisibleLine() const;
  /// Tops of the visible lines from the first visible one down, in this
  /// widget's coordinates.
  std::vector<int> visibleLineTops() const;

  /// Replaces the whole text (no undo step, not modified, caret and view at
  /// the start). The caller gives LF line ends; see toEditorLineEnds.
  void setEditorText(const QString &text);
  /// The whole text exactly as held, lines joined by LF.
  QString editorText() const;
  /// Whether the text changed since setEditorText or setModified(false).
  bool isModified() const;
  /// Marks the text as changed (true) or saved (false).
  void setModified(bool modified);

  /// Scrolls so that line `lineNumber` (from 1) is the first visible one, as far
  /// as the text allows; the caret stays where it is.
  void scrollToLine(int lineNumber);
  /// Puts the caret at the start of line `lineNumber` (from 1, clamped to the
  /// text), selects that line's text when `selectLine`, and scrolls it to the top.
  void goToLine(int lineNumber, bool selectLine);

  /// Replaces the selection with the clipboard's plain text as one undoable
  /// step; does nothing when the clipboard has no text or only empty text.
  void pastePlainText();
  /// The graying state of the context menu, read now (clipboard included).
  EditMenuState editMenuState() const;
  /// A new context menu, grayed for the present state; the caller owns it.
  QMenu *createEditMenu(QWidget *parent = nullptr) const;
  /// Runs a command of the context menu; "Paste" inserts `pasteText` (the
  /// clipboard text read when the menu opened). Redraws the editor at once.
  void runEditCommand(EditCommand command, const QString &pasteText);

signals:
  /// The view may have scrolled: its first visible line may have changed.
  void viewMayHaveScrolled();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool canInsertFromMimeData(const QMimeData *source) const override;
  void insertFromMimeData(const QMimeData *source) override;

private:
  void insertAsOneStep(const QString &text);

  int lineHeight_ = 0;
};

} // namespace linkmoor
