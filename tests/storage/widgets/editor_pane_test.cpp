#include "storage/widgets/editor_pane.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace linkmoor;

namespace {

// An edit page as the workspace builds it: four child controls bound to a pane,
// the frame drawn by the page's paint handler.
class TestEditPage : public QWidget {
public:
  TestEditPage() {
    saveButton.resize(70, 24);
    pane.bind(this, &fileLabel, &saveButton, &gutter, &editor);
  }
  QLabel fileLabel{this};
  QPushButton saveButton{"Save", this};
  LineNumberGutter gutter{this};
  EditorControl editor{this};
  EditorPane pane;

protected:
  void paintEvent(QPaintEvent *) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(160, 216, 223));
    pane.drawFrame(painter);
  }
};

// Types `text` as key presses carrying the characters (QTest takes ASCII only).
void typeText(QWidget *widget, const QString &text) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
  QApplication::sendEvent(widget, &press);
}

QString numberedLines(int count) {
  QString text;
  for (int i = 1; i <= count; ++i)
    text += QStringLiteral("<p>line %1</p>\r\n").arg(i);
  return text;
}

class EditorPaneTest : public ::testing::Test {
protected:
  void SetUp() override {
    page.resize(400, 300);
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
  }
  void showLongPage() {
    page.pane.show("site/long.htm", numberedLines(200));
    QCoreApplication::processEvents(); // lets the scroll area show its scroll bar
  }
  int first() const { return page.gutter.firstLine(); }
  int firstPainted() const {
    const std::vector<GutterRow> rows = page.gutter.rows();
    return rows.empty() ? -1 : rows.front().number;
  }
  // The strip must show the editor's first visible line, whatever scrolled it.
  void expectInStep() const {
    EXPECT_EQ(first(), page.editor.firstVisibleLine());
    EXPECT_EQ(firstPainted(), page.editor.firstVisibleLine() + 1);
  }
  void wheel(int notches) {
    const QPointF at(30, 30);
    QWheelEvent event(at, page.editor.viewport()->mapToGlobal(at), QPoint(),
                      QPoint(0, -120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(page.editor.viewport(), &event);
  }
  TestEditPage page;
};

} // namespace

TEST_F(EditorPaneTest, BindLaysOutTheWindowsAndFollowsSizeChanges) {
  EXPECT_TRUE(page.pane.isBound());
  EXPECT_EQ(page.fileLabel.geometry(), QRect(10, 12, 380, 14));
  EXPECT_EQ(page.gutter.geometry(), QRect(10, 31, 50, 225));
  EXPECT_EQ(page.editor.geometry(), QRect(60, 31, 330, 225));
  EXPECT_EQ(page.saveButton.geometry(), QRect(165, 268, 70, 24));
  EXPECT_EQ(page.pane.frameRect(), QRect(10, 31, 380, 225));
  page.resize(600, 400);
  EXPECT_EQ(page.editor.geometry(), QRect(60, 31, 530, 325));
  EXPECT_EQ(page.saveButton.geometry(), QRect(265, 368, 70, 24));
}

TEST_F(EditorPaneTest, BindHandsTheMeasuredLineHeightToTheStrip) {
  EXPECT_GT(page.gutter.lineHeight(), 0);
  EXPECT_EQ(page.gutter.lineHeight(), page.editor.lineHeight());
  EXPECT_EQ(page.gutter.lineHeight(), QFontMetrics(page.editor.font()).lineSpacing());
  EXPECT_EQ(page.gutter.font(), page.editor.font());
  EXPECT_EQ(first(), 0);
  EXPECT_TRUE(page.fileLabel.text().isEmpty());
}

TEST_F(EditorPaneTest, TheFrameIsDrawnAroundStripAndEditor) {
  const QImage image = page.grab().toImage();
  EXPECT_EQ(image.pixelColor(8, 100), QColor(Qt::black));      // inner left edge
  EXPECT_EQ(image.pixelColor(7, 100), QColor(Qt::black));      // outer left edge
  EXPECT_EQ(image.pixelColor(391, 100), QColor(Qt::white));    // inner right edge
  EXPECT_EQ(image.pixelColor(392, 100), QColor(Qt::white));    // outer right edge
  EXPECT_EQ(image.pixelColor(200, 257), QColor(Qt::white));    // inner bottom edge
  EXPECT_EQ(image.pixelColor(200, 28), QColor(Qt::black));     // outer top edge
  EXPECT_EQ(image.pixelColor(12, 200), QColor(225, 225, 225)); // the strip
}

TEST_F(EditorPaneTest, ShowAndClear) {
  page.pane.clear();
  EXPECT_FALSE(page.saveButton.isEnabled());
  EXPECT_TRUE(page.pane.show("docs/a <b>.htm", "one\r\ntwo\r\r\nthree\r\n"));
  EXPECT_EQ(page.fileLabel.text(), QString("docs/a <b>.htm"));
  EXPECT_EQ(page.fileLabel.textFormat(), Qt::PlainText);
  EXPECT_TRUE(page.saveButton.isEnabled());
  EXPECT_EQ(page.editor.editorText(), QString("one\ntwo\nthree\n"));
  EXPECT_EQ(page.pane.textForSaving(), QString("one\ntwo\nthree\n"));
  EXPECT_FALSE(page.pane.isModified());
  page.pane.clear();
  EXPECT_TRUE(page.fileLabel.text().isEmpty());
  EXPECT_TRUE(page.editor.editorText().isEmpty());
  EXPECT_FALSE(page.saveButton.isEnabled());
}

TEST_F(EditorPaneTest, TextForSavingJoinsLinesByLf) {
  page.pane.show("a.htm", "");
  QTest::keyClicks(&page.editor, "first");
  QTest::keyClick(&page.editor, Qt::Key_Return);
  QTest::keyClicks(&page.editor, "second");
  EXPECT_EQ(page.pane.textForSaving(), QString("first\nsecond"));
  EXPECT_TRUE(page.pane.isModified());
  page.pane.setModified(false);
  EXPECT_FALSE(page.pane.isModified());
}

TEST_F(EditorPaneTest, GutterNumbersAfterScrollingToLine41) {
  showLongPage();
  page.pane.scrollToLine(41);
  EXPECT_EQ(page.editor.firstVisibleLine(), 40);
  EXPECT_EQ(first(), 40);
  const std::vector<GutterRow> rows = page.gutter.rows();
  ASSERT_EQ(static_cast<int>(rows.size()), page.gutter.height() / page.gutter.lineHeight());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].number, 41 + static_cast<int>(i));
    EXPECT_EQ(rows[i].y, static_cast<int>(i) * page.gutter.lineHeight());
  }
  // The number stands on the same height as its line in the editor.
  const std::vector<int> tops = page.editor.visibleLineTops();
  EXPECT_EQ(rows[3].y, tops[3]);
}

TEST_F(EditorPaneTest, GutterFollowsTheWheel) {
  showLongPage();
  wheel(2);
  EXPECT_GT(page.editor.firstVisibleLine(), 0);
  expectInStep();
  wheel(-1);
  expectInStep();
}

TEST_F(EditorPaneTest, GutterFollowsKeysAtOnce) {
  showLongPage();
  page.editor.setFocus();
  QTest::keyClick(&page.editor, Qt::Key_PageDown);
  EXPECT_GT(page.editor.firstVisibleLine(), 0);
  expectInStep();
  QTest::keyClick(&page.editor, Qt::Key_End, Qt::ControlModifier);
  EXPECT_GT(page.editor.firstVisibleLine(), 150);
  expectInStep();
  QTest::keyClick(&page.editor, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(first(), 0);
  for (int i = 0; i < 30; ++i)
    QTest::keyClick(&page.editor, Qt::Key_Down);
  EXPECT_GT(page.editor.firstVisibleLine(), 0);
  expectInStep();
}

TEST_F(EditorPaneTest, GutterFollowsTheScrollBar) {
  showLongPage();
  QScrollBar *bar = page.editor.verticalScrollBar();
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  expectInStep();
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  expectInStep();
  bar->setValue(bar->maximum());
  expectInStep();
  EXPECT_EQ(first(), bar->maximum());
}

TEST_F(EditorPaneTest, GutterFollowsDraggingTheScrollBarThumb) {
  showLongPage();
  QScrollBar *bar = page.editor.verticalScrollBar();
  QStyleOptionSlider option;
  option.initFrom(bar);
  option.orientation = Qt::Vertical;
  option.minimum = bar->minimum();
  option.maximum = bar->maximum();
  option.sliderPosition = option.sliderValue = bar->value();
  option.pageStep = bar->pageStep();
  option.singleStep = bar->singleStep();
  const QRect thumb =
      bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
  ASSERT_TRUE(thumb.isValid());
  QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, thumb.center());
  // A move with the button held, which QTest::mouseMove does not send.
  const QPoint to = thumb.center() + QPoint(0, 60);
  QMouseEvent move(QEvent::MouseMove, to, bar->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(bar, &move);
  EXPECT_GT(bar->value(), 0);
  expectInStep();
  QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, to);
  expectInStep();
}

TEST_F(EditorPaneTest, GutterFollowsDraggingASelectionPastTheBottom) {
  showLongPage();
  QWidget *view = page.editor.viewport();
  const QPoint start(20, 5);
  QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, start);
  const QPoint below(20, view->height() + 40);
  QMouseEvent move(QEvent::MouseMove, below, view->mapToGlobal(below), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(view, &move);
  QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, below);
  EXPECT_TRUE(page.editor.textCursor().hasSelection());
  EXPECT_GT(page.editor.firstVisibleLine(), 0);
  expectInStep();
}

TEST_F(EditorPaneTest, GutterFollowsTheCaretMovedByTheProgram) {
  showLongPage();
  page.pane.goToLine(120);
  EXPECT_EQ(page.editor.textCursor().selectedText(), QString("<p>line 120</p>"));
  EXPECT_EQ(first(), 119);
  QTextCursor cursor = page.editor.textCursor();
  cursor.setPosition(0);
  page.editor.setTextCursor(cursor);
  page.editor.ensureCursorVisible();
  EXPECT_EQ(first(), 0);
  page.editor.verticalScrollBar()->setValue(60);
  expectInStep();
}

TEST_F(EditorPaneTest, SameFirstLineDoesNotRedrawTheStrip) {
  showLongPage();
  page.pane.scrollToLine(10);
  const int painted = page.gutter.paintCount();
  page.gutter.setFirstLine(9);
  page.pane.sync();
  EXPECT_EQ(page.gutter.paintCount(), painted);
  page.gutter.setFirstLine(10);
  EXPECT_EQ(page.gutter.paintCount(), painted + 1);
  EXPECT_EQ(page.gutter.rows().front().number, 11);
}

TEST_F(EditorPaneTest, TheStripPaintsBlueNumbersOnGray) {
  showLongPage();
  page.pane.scrollToLine(41);
  const QImage strip = page.gutter.grab().toImage();
  const int lineHeight = page.gutter.lineHeight();
  int blue = 0;
  for (int y = 0; y < lineHeight; ++y)
    for (int x = 0; x < strip.width(); ++x) {
      const QColor c = strip.pixelColor(x, y);
      if (c.blue() > 200 && c.red() < 150)
        ++blue;
      else
        EXPECT_TRUE(c == QColor(225, 225, 225) || c.blue() >= c.red()) << x << "," << y;
    }
  EXPECT_GT(blue, 5);
}

TEST_F(EditorPaneTest, StripNumbersDoNotDependOnTheLengthOfTheText) {
  page.pane.show("short.htm", "one\ntwo\n");
  const std::vector<GutterRow> rows = page.gutter.rows();
  ASSERT_EQ(static_cast<int>(rows.size()), page.gutter.height() / page.gutter.lineHeight());
  EXPECT_EQ(rows.front(), (GutterRow{1, 1}));
  EXPECT_EQ(rows[5].y, 1 + 5 * page.gutter.lineHeight());
}

TEST_F(EditorPaneTest, Utf8PageComesBackByteForByte) {
  const std::string bytes = "\xEF\xBB\xBF<p>caf\xC3\xA9 \xC2\xA0\xE2\x82\xAC \xF0\x9F\x98\x80 "
                            "\xE2\x80\xA8 \xE4\xB8\xAD\xE6\x96\x87</p>\n<p>\t\x01</p>\n";
  page.pane.showPage("u.htm", bytes);
  EXPECT_EQ(page.pane.encoding(), PageEncoding::Utf8);
  std::string saved;
  ASSERT_TRUE(page.pane.bytesForSaving(saved).ok);
  EXPECT_EQ(saved, bytes);
}

TEST_F(EditorPaneTest, Latin1PageComesBackByteForByte) {
  std::string bytes = "<p>caf\xE9 na\xEFve \xA0 \xFF\xFE</p>\n";
  for (int b = 0; b < 256; ++b)
    if (b != '\r') bytes.push_back(static_cast<char>(b));
  page.pane.showPage("l.htm", bytes);
  EXPECT_EQ(page.pane.encoding(), PageEncoding::Latin1);
  std::string saved;
  ASSERT_TRUE(page.pane.bytesForSaving(saved).ok);
  EXPECT_EQ(saved, bytes);
}

TEST_F(EditorPaneTest, CrLfPagesComeBackWithLfOnly) {
  page.pane.showPage("w.htm", "a\xE9\r\nb\r\r\nc\r\n");
  std::string saved;
  ASSERT_TRUE(page.pane.bytesForSaving(saved).ok);
  EXPECT_EQ(saved, "a\xE9\nb\nc\n");
}

TEST_F(EditorPaneTest, EditedLatin1PageKeepsItsEncodingOrRefusesToSave) {
  page.pane.showPage("l.htm", "caf\xE9\n");
  page.editor.moveCursor(QTextCursor::End);
  typeText(&page.editor, QString::fromUtf16(u"\u00FC"));
  std::string saved;
  ASSERT_TRUE(page.pane.bytesForSaving(saved).ok);
  EXPECT_EQ(saved, "caf\xE9\n\xFC");
  typeText(&page.editor, QString::fromUtf16(u"\u20AC"));
  const PageEncodeResult result = page.pane.bytesForSaving(saved);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.badCharacter, U'\u20AC');
  EXPECT_EQ(result.badIndex, 6u);
  EXPECT_TRUE(saved.empty());
}
