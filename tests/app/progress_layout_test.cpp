// The progress strip's arithmetic: shortening of the item line, centring, text area;
// and its button pictures, drawn for the screen's scale.
#include "app/picture_button.h"
#include "app/progress_layout.h"
#include "app/progress_pictures.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <cstdlib>
#include <gtest/gtest.h>

namespace linkmoor {
namespace {

TEST(ShortenItemText, LongFileNameShowsFirst36AndEllipsis) {
  const std::string name(45, 'a');
  EXPECT_EQ(shortenItemText(name, false), std::string(36, 'a') + " ...");
}

TEST(ShortenItemText, LimitIsForty) {
  EXPECT_EQ(shortenItemText(std::string(39, 'b'), false), std::string(39, 'b'));
  EXPECT_EQ(shortenItemText(std::string(40, 'b'), false), std::string(36, 'b') + " ...");
}

TEST(ShortenItemText, FileNamesKeepTheirQueryCharacters) {
  EXPECT_EQ(shortenItemText("a?b#c.htm", false), "a?b#c.htm");
}

TEST(ShortenItemText, CutQueryStopsBeforeQuestionMark) {
  EXPECT_EQ(shortenItemText("http://a.b/c?x=1", true), "http://a.b/c");
  EXPECT_EQ(shortenItemText("0123456789abc?rest", true), "0123456789abc");
}

TEST(ShortenItemText, AnchorWinsOverAnEarlierQuestionMark) {
  EXPECT_EQ(shortenItemText("page.htm?q=1#top", true), "page.htm?q=1");
}

TEST(ShortenItemText, LateCutIsShortenedAsALongText) {
  const std::string url = "http://www.example.com/shop/catalogue.html?page=2";
  EXPECT_EQ(shortenItemText(url, true), url.substr(0, 36) + " ...");
  const std::string at39 = std::string(39, 'x') + "#a";
  EXPECT_EQ(shortenItemText(at39, true), std::string(39, 'x'));
}

TEST(ShortenItemText, CutQueryWithoutEitherCharacterShortensAsAFileName) {
  EXPECT_EQ(shortenItemText(std::string(50, 'u'), true), std::string(36, 'u') + " ...");
  EXPECT_EQ(shortenItemText("http://a.b/", true), "http://a.b/");
}

TEST(ShortenItemText, NeverCutsInsideAUtf8Character) {
  // 35 ASCII bytes, then a two-byte character across byte 36.
  const std::string text = std::string(35, 'a') + "\xC3\xA9" + std::string(10, 'b');
  EXPECT_EQ(shortenItemText(text, false), std::string(35, 'a') + " ...");
}

TEST(CentredOver, UsesIntegerDivision) {
  EXPECT_EQ(centredOver(QRect(100, 50, 701, 401), QSize(300, 40)), QPoint(100 + 200, 50 + 180));
  // An owner smaller than the panel: the panel hangs over both sides.
  EXPECT_EQ(centredOver(QRect(0, 0, 100, 20), QSize(301, 41)), QPoint(-100, -10));
}

TEST(ProgressTextArea, EndsSixPixelsLeftOfSkip) {
  const QRect client(0, 0, 400, 45);
  const QRect skip(300, 10, 48, 24), stop(350, 10, 48, 24);
  EXPECT_EQ(progressTextArea(client, skip, stop), QRect(QPoint(4, 4), QPoint(293, 40)));
  EXPECT_EQ(progressTextArea(client, QRect(), stop), QRect(QPoint(4, 4), QPoint(343, 40)));
  EXPECT_EQ(progressTextArea(client, QRect(), QRect()), QRect(QPoint(4, 4), QPoint(395, 40)));
}

TEST(ProgressPictures, TheTemplateSizeInDialogUnits) {
  // 25 by 17 dialog units at 6 by 13: 37.5 and 27.6, rounded.
  EXPECT_EQ(progressPictureSize(DialogBaseUnits{6, 13}), QSize(38, 28));
  EXPECT_EQ(progressPictureSize(DialogBaseUnits{8, 16}), QSize(50, 34));
}

TEST(ProgressPictures, SixPicturesAtOneAndTwoHundredPercent) {
  const QFont font = QApplication::font();
  const QSize size(38, 28);
  for (int number : {160, 185, 184, 181, 180, 183}) {
    const QPixmap plain = drawProgressPicture(number, size, 1.0, font);
    EXPECT_EQ(plain.size(), size) << number;
    const QPixmap fine = drawProgressPicture(number, size, 2.0, font);
    EXPECT_EQ(fine.size(), size * 2) << number;
    EXPECT_EQ(fine.devicePixelRatio(), 2.0);
    EXPECT_EQ(fine.deviceIndependentSize().toSize(), size);
  }
  EXPECT_TRUE(drawProgressPicture(999, size, 1.0, font).isNull());
  // Normal, pressed and disabled differ, and Stop differs from Skip.
  const auto image = [&](int number) {
    return drawProgressPicture(number, size, 1.0, font).toImage();
  };
  EXPECT_NE(image(181), image(180));
  EXPECT_NE(image(181), image(183));
  EXPECT_NE(image(181), image(160));
  EXPECT_NE(image(160), image(185));
}

// The columns of `image` that differ from its face colour between its edges.
int drawnColumns(const QImage &image) {
  const QRgb face = image.pixel(image.width() / 2, 2);
  int drawn = 0;
  for (int x = 2; x < image.width() - 2; ++x)
    for (int y = 2; y < image.height() - 2; ++y)
      if (image.pixel(x, y) != face) {
        ++drawn;
        break;
      }
  return drawn;
}

TEST(ProgressPictures, TheWordShowsWholeWithAirAtTheEdges) {
  const QFont font = QApplication::font();
  const QFontMetrics metrics(font);
  const int word = metrics.horizontalAdvance(QStringLiteral("Stop"));
  const QSize size = progressPictureSize(dialogBaseUnits(metrics));
  ASSERT_GE(size.width(), word + 6);
  for (int number : {181, 160}) {
    const QImage image = drawProgressPicture(number, size, 1.0, font).toImage();
    // Two columns next to each edge stay the face: nothing runs into the edges.
    const QRgb face = image.pixel(image.width() / 2, 2);
    for (int y = 3; y < image.height() - 3; ++y) {
      EXPECT_EQ(image.pixel(2, y), face) << number;
      EXPECT_EQ(image.pixel(image.width() - 3, y), face) << number;
    }
  }
  // The two buttons show the same parts: with or without the sign, both alike.
  const int stop = drawnColumns(drawProgressPicture(181, size, 1.0, font).toImage());
  const int skip = drawnColumns(drawProgressPicture(160, size, 1.0, font).toImage());
  EXPECT_LE(std::abs(stop - skip), 4);
}

TEST(ProgressPictures, AButtonKeepsTheSizeAtOneHundredPercent) {
  const QFont font = QApplication::font();
  const QPixmap fine = drawProgressPicture(181, QSize(38, 28), 2.0, font);
  PictureButton button(QStringLiteral("Stop"), fine, fine, fine);
  EXPECT_EQ(button.size(), QSize(38, 28));
  EXPECT_EQ(button.sizeHint(), QSize(38, 28));
}

} // namespace
} // namespace linkmoor
