#include "storage/widgets/editor_control.h"

#include "storage/widgets/editor_style.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace linkmoor {

namespace {

// The text sits one pixel in from the edges, as in the classic edit controls.
constexpr qreal kDocumentMargin = 1;
constexpr int kTabWidthInCharacters = 8;

QString clipboardText() {
  const QMimeData *data = QApplication::clipboard()->mimeData();
  if (!data || !data->hasText()) return {};
  return data->text();
}

} // namespace

EditorControl::EditorControl(QWidget *parent) : QPlainTextEdit(parent) {
  setFrameShape(QFrame::NoFrame);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(editorFont());
  document()->setDocumentMargin(kDocumentMargin);
  setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * kTabWidthInCharacters);
}

int EditorControl::measureLineHeight() {
  setPlainText(QString::fromLatin1(kProbeText));
  QTextCursor cursor(document());
  cursor.setPosition(15);
  const int second = cursorRect(cursor).top();
  cursor.setPosition(25);
  const int third = cursorRect(cursor).top();
  setPlainText(QString());
  lineHeight_ = third - second;
  if (lineHeight_ <= 0) lineHeight_ = std::max(1, fontMetrics().lineSpacing());
  return lineHeight_;
}

int EditorControl::firstVisibleLine() const { return firstVisibleBlock().blockNumber(); }

std::vector<int> EditorControl::visibleLineTops() const {
  std::vector<int> tops;
  const int viewTop = viewport()->y();
  const int viewHeight = viewport()->height();
  const QPointF offset = contentOffset();
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    if (!block.isVisible()) continue;
    const int top = qRound(blockBoundingGeometry(block).translated(offset).top());
    if (top >= viewHeight) break;
    tops.push_back(viewTop + top);
  }
  return tops;
}

void EditorControl::setEditorText(const QString &text) {
  setPlainText(text);
  document()->setModified(false);
}

QString EditorControl::editorText() const {
  // Block by block rather than toPlainText(), which turns non-breaking spaces
  // into plain ones and line separators into line ends.
  QString text;
  const QTextDocument *doc = document();
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    if (block != doc->begin()) text += u'\n';
    text += block.text();
  }
  return text;
}

bool EditorControl::isModified() const { return document()->isModified(); }

void EditorControl::setModified(bool modified) { document()->setModified(modified); }

void EditorControl::scrollToLine(int lineNumber) {
  verticalScrollBar()->setValue(std::max(0, lineNumber - 1));
}

void EditorControl::goToLine(int lineNumber, bool selectLine) {
  const int index = std::clamp(lineNumber - 1, 0, std::max(0, document()->blockCount() - 1));
  const QTextBlock block = document()->findBlockByNumber(index);
  QTextCursor cursor(block);
  if (selectLine) cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  scrollToLine(index + 1);
}

void EditorControl::insertAsOneStep(const QString &text) {
  QTextCursor cursor = textCursor();
  cursor.beginEditBlock();
  cursor.insertText(text);
  cursor.endEditBlock();
  setTextCursor(cursor);
  ensureCursorVisible();
}

void EditorControl::pastePlainText() {
  if (isReadOnly()) return;
  const QString text = clipboardText();
  if (!text.isEmpty()) insertAsOneStep(text);
}

EditMenuState EditorControl::editMenuState() const {
  EditMenuState state;
  state.canUndo = document()->isUndoAvailable();
  state.hasSelection = textCursor().hasSelection();
  state.clipboardText = clipboardText();
  return state;
}

QMenu *EditorControl::createEditMenu(QWidget *parent) const {
  auto *menu = new QMenu(parent);
  fillEditMenu(*menu, editMenuState());
  return menu;
}

void EditorControl::runEditCommand(EditCommand command, const QString &pasteText) {
  switch (command) {
  case EditCommand::Undo:
    undo();
    break;
  case EditCommand::Cut:
    cut();
    break;
  case EditCommand::Copy:
    copy();
    break;
  case EditCommand::Paste:
    if (!pasteText.isEmpty() && !isReadOnly()) insertAsOneStep(pasteText);
    break;
  case EditCommand::Delete:
    textCursor().removeSelectedText();
    break;
  case EditCommand::SelectAll:
    selectAll();
    break;
  case EditCommand::None:
    return;
  }
  viewport()->repaint();
}

void EditorControl::keyPressEvent(QKeyEvent *event) {
  if (event->matches(QKeySequence::Paste)) {
    // Never the control's own paste, which would take formatted content.
    pastePlainText();
    event->accept();
    return;
  }
  emit viewMayHaveScrolled();
  QPlainTextEdit::keyPressEvent(event);
  emit viewMayHaveScrolled();
}

void EditorControl::contextMenuEvent(QContextMenuEvent *event) {
  const EditMenuState state = editMenuState();
  QMenu menu(this);
  fillEditMenu(menu, state);
  const EditCommand chosen = editCommandOf(menu.exec(event->globalPos()));
  runEditCommand(chosen, state.clipboardText);
  event->accept();
}

void EditorControl::scrollContentsBy(int dx, int dy) {
  QPlainTextEdit::scrollContentsBy(dx, dy);
  emit viewMayHaveScrolled();
}

bool EditorControl::canInsertFromMimeData(const QMimeData *source) const {
  return source && source->hasText();
}

void EditorControl::insertFromMimeData(const QMimeData *source) {
  // Only the plain text: no HTML, no rich text, no Markdown rendering.
  if (!source || !source->hasText()) return;
  const QString text = source->text();
  if (!text.isEmpty()) insertAsOneStep(text);
}

} // namespace linkmoor
