// The markup label window, offscreen: painting the bands, timer steps called directly,
// clicks on links (with an opener that opens nothing) and dragging.
#include "markup/markup_label.h"

#include <QFontInfo>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace linkmoor {
namespace {

// A picture 20 wide and 296 high whose row r has the colour (r % 256, r / 256, 7); with
// its border of 2 it makes a line, and a content, of 300 rows.
QImage rowPicture() {
  QImage picture(20, 296, QImage::Format_RGB32);
  for (int r = 0; r < picture.height(); ++r)
    for (int x = 0; x < picture.width(); ++x)
      picture.setPixelColor(x, r, QColor(r % 256, r / 256, 7));
  return picture;
}

QImage pictures(int number) { return number == 5 ? rowPicture() : QImage(); }

class MarkupLabelTest : public ::testing::Test {
protected:
  void SetUp() override {
    owner.resize(400, 300);
    label = new MarkupLabel(&owner);
    label->setGeometry(0, 0, 200, 200);
    label->setOpener([this](const QString &target) { opened << target; });
    label->setCallback([this](int number, const std::optional<QString> &argument) {
      calls << QString::number(number) + QLatin1Char('|') +
                   (argument ? *argument : QStringLiteral("<none>"));
    });
    label->setPictureSource(pictures);
    label->setBackgroundColor(QColor(0, 0, 60));
    owner.show();
  }

  // The content row a window row shows, read from the column of the row picture.
  int rowShown(const QImage &painted, int y) {
    const QColor c = painted.pixelColor(100, y);
    if (c.blue() != 7) return -1;
    return c.red() + 256 * c.green();
  }

  QWidget owner;
  MarkupLabel *label = nullptr;
  QStringList opened;
  QStringList calls;
};

TEST_F(MarkupLabelTest, ArialIsMatchedToAnInstalledFace) {
  const QFontInfo info(markupFont(MarkupFontState{}));
  // Liberation Sans has the metrics of Arial (package fonts-liberation).
  EXPECT_EQ(info.family(), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(info.pixelSize(), 12);
}

TEST_F(MarkupLabelTest, TimerStartsWithTenStepsThenRunsAtTheStep) {
  EXPECT_TRUE(label->timer().isActive());
  EXPECT_EQ(label->timer().interval(), 400);
  label->setStepInterval(80);
  EXPECT_EQ(label->timer().interval(), 800);
  label->tick();
  EXPECT_EQ(label->timer().interval(), 80);
  label->setStepInterval(30);
  EXPECT_EQ(label->timer().interval(), 80); // takes effect at the next tick
  label->tick();
  EXPECT_EQ(label->timer().interval(), 30);
}

TEST_F(MarkupLabelTest, TallContentShowsItsRowsThenRepeatsFromTheTop) {
  label->setText(QStringLiteral("<img src=\"#5\">"));
  ASSERT_EQ(label->scroller().contentHeight(), 300);
  label->setScrollOffset(140);
  for (int i = 0; i < 10; ++i)
    label->tick();
  ASSERT_EQ(label->scrollOffset(), 150);
  const QImage painted = label->paintedPicture();
  // Rows 150 to 297 come from the picture (298, 299 are its border), then rows 0 to 49.
  EXPECT_EQ(rowShown(painted, 0), 150 - 2);
  EXPECT_EQ(rowShown(painted, 147), 297 - 2);
  EXPECT_EQ(rowShown(painted, 148), -1);
  EXPECT_EQ(rowShown(painted, 150), -1); // row 0: border
  EXPECT_EQ(rowShown(painted, 152), 0);
  EXPECT_EQ(rowShown(painted, 199), 47);
  // The border is see-through: the background shows.
  EXPECT_EQ(painted.pixelColor(100, 149), QColor(0, 0, 60));
  // What the window shows is that picture.
  const QImage grabbed = label->grab().toImage();
  EXPECT_EQ(rowShown(grabbed, 10), 160 - 2);
}

TEST_F(MarkupLabelTest, ShortContentDoesNotMove) {
  label->setText(QStringLiteral("Hello\n<font color=\"255,0,0\">World</font>"));
  ASSERT_LT(label->scroller().contentHeight(), 200);
  const QImage before = label->paintedPicture();
  for (int i = 0; i < 25; ++i)
    label->tick();
  EXPECT_EQ(label->scrollOffset(), 25);
  EXPECT_EQ(label->paintedPicture(), before);
  // Something was drawn: the red word.
  bool red = false;
  for (int y = 0; y < 40 && !red; ++y)
    for (int x = 0; x < 200 && !red; ++x)
      red = before.pixelColor(x, y).red() > 200 && before.pixelColor(x, y).blue() < 100;
  EXPECT_TRUE(red);
}

TEST_F(MarkupLabelTest, HiddenLabelDoesNotStep) {
  label->hide();
  label->tick();
  EXPECT_EQ(label->scrollOffset(), 0);
}

TEST_F(MarkupLabelTest, ClickOnACallbackLinkCallsBackAndOpensNothing) {
  label->setText(QStringLiteral("<a href=\"#7#two words\">AAAA</a>\n<a href=\"#3\">BBBB</a>\n"
                                "<a href=\"https://example.invalid/x\">CCCC</a>"));
  const auto &links = label->scroller().links();
  ASSERT_EQ(links.size(), 3u);
  auto centre = [&](int i) {
    const MarkupRect &a = links[i].area;
    return QPoint(a.x + a.width / 2, a.y + a.height / 2);
  };
  QTest::mouseClick(label, Qt::LeftButton, {}, centre(0));
  QTest::mouseClick(label, Qt::LeftButton, {}, centre(1));
  EXPECT_EQ(calls, (QStringList{"7|two words", "3|<none>"}));
  EXPECT_TRUE(opened.isEmpty());
  QTest::mouseClick(label, Qt::LeftButton, {}, centre(2));
  EXPECT_EQ(opened, QStringList{"https://example.invalid/x"});
  EXPECT_EQ(calls.size(), 2);
  EXPECT_TRUE(label->timer().isActive()); // a link click stops nothing
}

TEST_F(MarkupLabelTest, MouseOverALinkShowsItsHoverLook) {
  label->setText(QStringLiteral("<a href=\"#1\" color=\"0,255,0\"><font size=\"30\" "
                                "color=\"255,0,0\">XXXX</font></a>"));
  const MarkupRect area = label->scroller().links().at(0).area;
  const QPoint centre(area.x + area.width / 2, area.y + area.height / 2);
  auto colours = [&](const QImage &painted) {
    int red = 0, green = 0;
    for (int y = area.y; y < area.y + area.height; ++y)
      for (int x = area.x; x < area.x + area.width; ++x) {
        const QColor c = painted.pixelColor(x, y);
        red += c.red() > 200 && c.green() < 80;
        green += c.green() > 200 && c.red() < 80;
      }
    return std::pair{red, green};
  };
  auto [red, green] = colours(label->paintedPicture());
  EXPECT_GT(red, 20);
  EXPECT_EQ(green, 0);
  QTest::mouseMove(label, centre);
  EXPECT_EQ(label->hoveredLink(), area);
  EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
  std::tie(red, green) = colours(label->paintedPicture());
  EXPECT_EQ(red, 0);
  EXPECT_GT(green, 20);
  QTest::mouseMove(label, QPoint(2, 190));
  EXPECT_TRUE(label->hoveredLink().empty());
  EXPECT_EQ(label->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MarkupLabelTest, ClickElsewhereDragsAndReleaseResumesAtTheDraggedPlace) {
  label->setText(QStringLiteral("<img src=\"#5\">"));
  label->setScrollOffset(100);
  QTest::mousePress(label, Qt::LeftButton, {}, QPoint(30, 120));
  EXPECT_TRUE(label->scroller().dragging());
  EXPECT_FALSE(label->timer().isActive());
  QTest::mouseMove(label, QPoint(30, 60)); // content follows the mouse up by 60
  EXPECT_EQ(label->scrollOffset(), 160);
  EXPECT_EQ(rowShown(label->paintedPicture(), 50), 210 - 2);
  QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(30, 60));
  EXPECT_FALSE(label->scroller().dragging());
  EXPECT_EQ(label->scrollOffset(), 161);
  EXPECT_TRUE(label->timer().isActive());
  EXPECT_EQ(label->timer().interval(), label->stepInterval());
}

TEST_F(MarkupLabelTest, NoDragWhenDisabledOrWhenTheContentFits) {
  label->setText(QStringLiteral("<img src=\"#5\">"));
  label->setDragEnabled(false);
  QTest::mousePress(label, Qt::LeftButton, {}, QPoint(30, 120));
  EXPECT_FALSE(label->scroller().dragging());
  EXPECT_TRUE(label->timer().isActive());
  QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(30, 120));
  label->setDragEnabled(true);
  label->setText(QStringLiteral("short"));
  QTest::mousePress(label, Qt::LeftButton, {}, QPoint(30, 120));
  EXPECT_FALSE(label->scroller().dragging());
}

TEST_F(MarkupLabelTest, SetTextReturnsThePreviousTextAndResizeLaysOutAgain) {
  EXPECT_EQ(label->setText(QStringLiteral("<hr>")), QString());
  EXPECT_EQ(label->setText(QStringLiteral("a<hr>")), QStringLiteral("<hr>"));
  label->resize(300, 200);
  EXPECT_EQ(label->normalPicture().width(), 300);
}

TEST_F(MarkupLabelTest, CreatedOverAPlaceholderTakesItsRectangle) {
  QWidget placeholder(&owner);
  placeholder.setGeometry(210, 20, 150, 90);
  MarkupLabel *over = MarkupLabel::createOver(&placeholder);
  EXPECT_EQ(over->geometry(), QRect(210, 20, 150, 90));
  EXPECT_EQ(over->parentWidget(), &owner);
  EXPECT_FALSE(placeholder.isVisible());
}

} // namespace
} // namespace linkmoor
