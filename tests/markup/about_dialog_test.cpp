// The about box: its settings, its text and its link, offscreen.
#include "markup/about_dialog.h"
#include "markup/markup_label.h"

#include <QTest>
#include <gtest/gtest.h>

namespace linkmoor {
namespace {

const QUrl kHome(QStringLiteral("https://linkmoor.example/home/"));

TEST(AboutDialogTest, CaptionAndScrollSettings) {
  AboutDialog about(kHome);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
  MarkupLabel *label = about.label();
  EXPECT_EQ(label->scrollOffset(), -50);
  EXPECT_EQ(label->stepInterval(), 80);
  EXPECT_EQ(label->timer().interval(), 800); // the first step after ten steps
  // The content is taller than the label, so it scrolls.
  EXPECT_TRUE(label->scroller().scrolls());
}

TEST(AboutDialogTest, TextNamesEditionVersionYearAndLink) {
  const QString text = aboutText(kHome, 2031);
  for (const char *part :
       {">Linkmoor<", "Standard edition\nVersion 1.02", "2031", "All rights reserved",
        "href=\"https://linkmoor.example/home/\"", "style=\"u\"", "_____"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
}

TEST(AboutDialogTest, StartsFiftyRowsDownOnItsDarkBackground) {
  AboutDialog about(kHome);
  about.show();
  MarkupLabel *label = about.label();
  const QImage painted = label->paintedPicture();
  for (int y = 0; y < 50; y += 7)
    EXPECT_EQ(painted.pixelColor(label->width() / 2, y), QColor(51, 51, 51)) << y;
  // The golden name is drawn below the gap.
  bool golden = false;
  for (int y = 50; y < 100 && !golden; ++y)
    for (int x = 0; x < label->width() && !golden; ++x) {
      const QColor c = painted.pixelColor(x, y);
      golden = c.red() > 180 && c.green() > 120 && c.blue() < 80;
    }
  EXPECT_TRUE(golden);
}

TEST(AboutDialogTest, HomeLinkOpensTheHomePageAndClosingStopsTheTimer) {
  AboutDialog about(kHome);
  about.show();
  MarkupLabel *label = about.label();
  QStringList opened;
  label->setOpener([&](const QString &target) { opened << target; });
  label->setScrollOffset(0);
  ASSERT_EQ(label->scroller().links().size(), 1u);
  const MarkupRect area = label->scroller().links()[0].area;
  ASSERT_LT(area.y + area.height, label->height());
  QTest::mouseClick(label, Qt::LeftButton, {},
                    QPoint(area.x + area.width / 2, area.y + area.height / 2));
  EXPECT_EQ(opened, QStringList{kHome.toString()});
  about.reject();
  EXPECT_FALSE(label->timer().isActive());
}

} // namespace
} // namespace linkmoor
