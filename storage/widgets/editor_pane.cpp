#include "storage/widgets/editor_pane.h"

#include "storage/widgets/editor_control.h"
#include "storage/widgets/editor_style.h"
#include "storage/widgets/editor_text.h"
#include "storage/widgets/line_number_gutter.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

namespace linkmoor {

EditorPane::EditorPane(QObject *parent) : QObject(parent) {}

void EditorPane::bind(QWidget *page, QLabel *fileLabel, QAbstractButton *saveButton,
                      LineNumberGutter *gutter, EditorControl *editor) {
  if (page_) page_->removeEventFilter(this);
  if (editor_) disconnect(editor_, nullptr, this, nullptr);
  page_ = page;
  fileLabel_ = fileLabel;
  saveButton_ = saveButton;
  gutter_ = gutter;
  editor_ = editor;
  if (!isBound()) return;

  // Measured in the font the editor shows, so that the numbers keep to the lines.
  editor_->setFont(editorFont());
  gutter_->setFont(editorFont());
  gutter_->setLineHeight(editor_->measureLineHeight());
  gutter_->setFirstLine(0);
  fileLabel_->setTextFormat(Qt::PlainText); // a path is never markup
  fileLabel_->clear();
  if (!saveButton_->testAttribute(Qt::WA_Resized)) saveButton_->resize(saveButton_->sizeHint());

  connect(editor_, &EditorControl::viewMayHaveScrolled, this, &EditorPane::sync);
  connect(editor_->verticalScrollBar(), &QScrollBar::valueChanged, this, &EditorPane::sync);
  connect(editor_, &QPlainTextEdit::updateRequest, this, &EditorPane::sync);
  page_->installEventFilter(this);
  layout();
  sync();
}

bool EditorPane::isBound() const {
  return page_ && fileLabel_ && saveButton_ && gutter_ && editor_;
}

void EditorPane::layout() {
  if (!isBound()) return;
  const EditorPaneGeometry g = editorPaneLayout(page_->rect(), saveButton_->size());
  fileLabel_->setGeometry(g.fileLabel);
  gutter_->setGeometry(g.gutter);
  editor_->setGeometry(g.editor);
  saveButton_->setGeometry(g.saveButton);
  frame_ = g.frame;
  page_->update();
}

void EditorPane::drawFrame(QPainter &painter) const {
  if (frame_.isNull()) return;
  for (const FrameStroke &stroke : frameStrokes(frame_))
    painter.fillRect(stroke.rect, stroke.colour);
}

void EditorPane::clear() {
  if (fileLabel_) fileLabel_->clear();
  if (editor_) editor_->setEditorText(QString());
  if (saveButton_) saveButton_->setEnabled(false);
}

bool EditorPane::show(const QString &filePath, const QString &text) {
  if (fileLabel_) fileLabel_->setText(filePath);
  if (saveButton_) saveButton_->setEnabled(true);
  if (editor_) editor_->setEditorText(toEditorLineEnds(text));
  sync();
  return true;
}

bool EditorPane::showPage(const QString &filePath, std::string_view bytes) {
  encoding_ = detectPageEncoding(bytes);
  return show(filePath, fromPageText(decodePage(bytes, encoding_)));
}

QString EditorPane::filePath() const { return fileLabel_ ? fileLabel_->text() : QString(); }

void EditorPane::sync() {
  if (!gutter_ || !editor_) return;
  std::vector<int> tops = editor_->visibleLineTops();
  const int shift = editor_->mapToGlobal(QPoint(0, 0)).y() - gutter_->mapToGlobal(QPoint(0, 0)).y();
  for (int &top : tops)
    top += shift;
  gutter_->setView(editor_->firstVisibleLine(), std::move(tops));
}

QString EditorPane::textForSaving() const {
  return editor_ ? collapseCrLf(editor_->editorText()) : QString();
}

PageEncodeResult EditorPane::bytesForSaving(std::string &bytes) const {
  const QString text = textForSaving();
  return encodePage(toPageText(text), encoding_, bytes);
}

bool EditorPane::isModified() const { return editor_ && editor_->isModified(); }

void EditorPane::setModified(bool modified) {
  if (editor_) editor_->setModified(modified);
}

void EditorPane::goToLine(int lineNumber, bool selectLine) {
  if (editor_) editor_->goToLine(lineNumber, selectLine);
  sync();
}

void EditorPane::scrollToLine(int lineNumber) {
  if (editor_) editor_->scrollToLine(lineNumber);
  sync();
}

bool EditorPane::eventFilter(QObject *watched, QEvent *event) {
  if (watched == page_ && event->type() == QEvent::Resize) layout();
  return QObject::eventFilter(watched, event);
}

} // namespace linkmoor
