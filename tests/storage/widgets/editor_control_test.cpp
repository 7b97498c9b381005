#include "storage/widgets/editor_control.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace linkmoor;

namespace {

void putOnClipboard(QMimeData *data) { QApplication::clipboard()->setMimeData(data); }

QMimeData *htmlData(const QString &html, const QString &text) {
  auto *data = new QMimeData;
  data->setHtml(html);
  data->setText(text);
  return data;
}

QString numberedLines(int count) {
  QString text;
  for (int i = 1; i <= count; ++i)
    text += QStringLiteral("line %1\n").arg(i);
  return text;
}

std::map<QString, bool> enabledByText(QMenu &menu) {
  std::map<QString, bool> enabled;
  for (QAction *action : menu.actions())
    if (!action->isSeparator()) enabled[action->text()] = action->isEnabled();
  return enabled;
}

class EditorControlTest : public ::testing::Test {
protected:
  void SetUp() override {
    editor.resize(300, 200);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    QApplication::clipboard()->clear();
  }
  EditorControl editor;
};

} // namespace

TEST(EditorFonts, MachineHasRealFonts) {
  // Without a font package every glyph is the same empty box.
  QFontMetrics metrics(QApplication::font());
  EXPECT_NE(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
}

TEST_F(EditorControlTest, MeasuredLineHeightIsTheDistanceBetweenLinesAndLeavesItEmpty) {
  const int height = editor.measureLineHeight();
  EXPECT_GT(height, 0);
  EXPECT_EQ(height, editor.lineHeight());
  EXPECT_EQ(height, QFontMetrics(editor.font()).lineSpacing());
  EXPECT_TRUE(editor.editorText().isEmpty());
  EXPECT_FALSE(editor.document()->isUndoAvailable());
}

TEST_F(EditorControlTest, FontIsFixedPitch) {
  QFontMetrics metrics(editor.font());
  EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
  EXPECT_EQ(editor.lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(EditorControlTest, TextComesBackExactlyWithoutUndoOrModification) {
  const QString text =
      QString("a") + QChar(0x00A0) + QChar(0x2028) + QChar(0) + "\tb\n\nc" + QChar(0xFEFF) + "\n";
  editor.setEditorText(text);
  EXPECT_EQ(editor.editorText(), text);
  EXPECT_FALSE(editor.isModified());
  EXPECT_FALSE(editor.document()->isUndoAvailable());
  editor.setEditorText("");
  EXPECT_EQ(editor.editorText(), QString());
}

TEST_F(EditorControlTest, CtrlVPastesOnlyThePlainTextOfHtml) {
  editor.setEditorText("<p>x</p>");
  editor.moveCursor(QTextCursor::End);
  putOnClipboard(htmlData("<b>bold</b> <i>words</i>", "bold words"));
  QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(editor.editorText(), QString("<p>x</p>bold words"));
  EXPECT_EQ(editor.document()->allFormats().size(), 3) << "no character formats were added";
}

TEST_F(EditorControlTest, PasteIsOneUndoStepAndReplacesTheSelection) {
  editor.setEditorText("keep OLD keep");
  QTextCursor cursor = editor.textCursor();
  cursor.setPosition(5);
  cursor.setPosition(8, QTextCursor::KeepAnchor);
  editor.setTextCursor(cursor);
  QApplication::clipboard()->setText("new\r\nlines\nhere");
  QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(editor.editorText(), QString("keep new\nlines\nhere keep"));
  editor.undo();
  EXPECT_EQ(editor.editorText(), QString("keep OLD keep"));
}

TEST_F(EditorControlTest, PasteWithOnlyAnImageChangesNothing) {
  editor.setEditorText("text");
  auto *data = new QMimeData;
  data->setImageData(QImage(4, 4, QImage::Format_RGB32));
  putOnClipboard(data);
  QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(&editor, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(editor.editorText(), QString("text"));
  EXPECT_FALSE(editor.isModified());
}

TEST_F(EditorControlTest, OtherPasteRoutesInsertPlainTextToo) {
  // The control's own paste (also reached by dropping and the selection
  // clipboard) would render Markdown and take HTML.
  editor.setEditorText("");
  auto *data = new QMimeData;
  data->setData("text/markdown", "# Heading *em*");
  data->setHtml("<h1>Heading <em>em</em></h1>");
  data->setText("# Heading *em*");
  putOnClipboard(data);
  editor.paste();
  EXPECT_EQ(editor.editorText(), QString("# Heading *em*"));
}

TEST_F(EditorControlTest, ContextMenuGrayingOnANewText) {
  editor.setEditorText("fresh text");
  std::unique_ptr<QMenu> menu(editor.createEditMenu());
  const auto enabled = enabledByText(*menu);
  EXPECT_EQ(enabled.size(), 6u);
  EXPECT_FALSE(enabled.at("Undo"));
  EXPECT_FALSE(enabled.at("Cut"));
  EXPECT_FALSE(enabled.at("Copy"));
  EXPECT_FALSE(enabled.at("Delete"));
  EXPECT_FALSE(enabled.at("Paste"));
  EXPECT_TRUE(enabled.at("Select all"));
  ASSERT_EQ(menu->actions().size(), 8);
  EXPECT_TRUE(menu->actions()[1]->isSeparator());
  EXPECT_TRUE(menu->actions()[6]->isSeparator());
}

TEST_F(EditorControlTest, ContextMenuGrayingWithSelectionUndoAndClipboard) {
  editor.setEditorText("fresh text");
  editor.moveCursor(QTextCursor::End);
  QTest::keyClicks(&editor, "!");
  editor.selectAll();
  QApplication::clipboard()->setText("clip");
  std::unique_ptr<QMenu> menu(editor.createEditMenu());
  for (const auto &[text, on] : enabledByText(*menu))
    EXPECT_TRUE(on) << text.toStdString();

  QApplication::clipboard()->setText("");
  std::unique_ptr<QMenu> emptyClip(editor.createEditMenu());
  EXPECT_FALSE(enabledByText(*emptyClip).at("Paste"));
}

TEST_F(EditorControlTest, MenuCommandsDoWhatTheySay) {
  editor.setEditorText("abc def");
  editor.runEditCommand(EditCommand::SelectAll, {});
  EXPECT_EQ(editor.textCursor().selectedText(), QString("abc def"));
  editor.runEditCommand(EditCommand::Copy, {});
  EXPECT_EQ(QApplication::clipboard()->text(), QString("abc def"));
  editor.runEditCommand(EditCommand::Delete, {});
  EXPECT_EQ(editor.editorText(), QString());
  editor.runEditCommand(EditCommand::Paste, "pasted");
  EXPECT_EQ(editor.editorText(), QString("pasted"));
  editor.runEditCommand(EditCommand::Undo, {});
  EXPECT_EQ(editor.editorText(), QString());
  editor.runEditCommand(EditCommand::Undo, {});
  EXPECT_EQ(editor.editorText(), QString("abc def"));
  editor.runEditCommand(EditCommand::SelectAll, {});
  editor.runEditCommand(EditCommand::Cut, {});
  EXPECT_EQ(editor.editorText(), QString());
  EXPECT_EQ(QApplication::clipboard()->text(), QString("abc def"));
}

TEST_F(EditorControlTest, RightClickShowsTheMenuAndRunsTheChosenCommand) {
  editor.setEditorText("select me");
  QStringList shown;
  QTimer::singleShot(0, [&] {
    auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!popup) return;
    for (QAction *action : popup->actions())
      if (!action->isSeparator()) shown << action->text();
    for (QAction *action : popup->actions())
      if (action->text() == "Select all") popup->setActiveAction(action);
    QTest::keyClick(popup, Qt::Key_Return);
  });
  const QPoint at(20, 10);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, editor.viewport()->mapToGlobal(at));
  QApplication::sendEvent(editor.viewport(), &event);
  EXPECT_EQ(shown, QStringList({"Undo", "Cut", "Copy", "Paste", "Delete", "Select all"}));
  EXPECT_EQ(editor.textCursor().selectedText(), QString("select me"));
}

TEST_F(EditorControlTest, RightButtonKeepsTheSelectionForTheMenu) {
  editor.setEditorText("some words here");
  editor.selectAll();
  QTest::mousePress(editor.viewport(), Qt::RightButton, Qt::NoModifier, QPoint(20, 5));
  QTest::mouseRelease(editor.viewport(), Qt::RightButton, Qt::NoModifier, QPoint(20, 5));
  EXPECT_EQ(editor.textCursor().selectedText(), QString("some words here"));
  EXPECT_TRUE(editor.editMenuState().hasSelection);
}

TEST_F(EditorControlTest, GoToLineSelectsItAndScrollsItToTheTop) {
  editor.setEditorText(numberedLines(100));
  editor.goToLine(41, true);
  EXPECT_EQ(editor.textCursor().selectedText(), QString("line 41"));
  EXPECT_EQ(editor.firstVisibleLine(), 40);
  editor.goToLine(1000, false);
  EXPECT_EQ(editor.textCursor().blockNumber(), 100); // the empty last line
  EXPECT_FALSE(editor.textCursor().hasSelection());
  editor.scrollToLine(1);
  EXPECT_EQ(editor.firstVisibleLine(), 0);
  EXPECT_EQ(editor.textCursor().blockNumber(), 100) << "scrolling leaves the caret";
}

TEST_F(EditorControlTest, VisibleLineTopsStepByTheLineHeight) {
  editor.measureLineHeight();
  editor.setEditorText(numberedLines(100));
  const std::vector<int> tops = editor.visibleLineTops();
  ASSERT_GE(tops.size(), 3u);
  EXPECT_EQ(tops[0], 1); // the text starts one pixel in
  EXPECT_EQ(tops[1] - tops[0], editor.lineHeight());
  EXPECT_EQ(tops[2] - tops[1], editor.lineHeight());
  EXPECT_LT(tops.back(), editor.viewport()->height());
}
