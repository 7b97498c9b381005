// Picture buttons: caption look until the first paint, then pictures and hover text.
#include "storage/widgets/tool_button.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>
#include <gtest/gtest.h>

namespace linkmoor {
namespace {

QImage rgb(const QPixmap &pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_RGB32); }

class ToolButtonTest : public ::testing::Test {
protected:
  void SetUp() override { parent_.resize(200, 100); }
  QWidget parent_;
};

TEST_F(ToolButtonTest, NeverPaintedKeepsItsCaptionLook) {
  ToolButton button(176, QStringLiteral("S"), &parent_);
  button.resize(60, 30);
  EXPECT_FALSE(button.isSetUp());
  EXPECT_EQ(button.text(), QStringLiteral("S"));
  EXPECT_TRUE(button.toolTip().isEmpty());
  EXPECT_TRUE(button.picture(ToolButton::Picture::Normal).isNull());
  EXPECT_EQ(button.size(), QSize(60, 30));
}

TEST_F(ToolButtonTest, FirstPaintLoadsPicturesAndHoverText) {
  ToolButton button(176, QStringLiteral("S"), &parent_);
  button.grab();
  EXPECT_TRUE(button.isSetUp());
  EXPECT_EQ(button.toolTip(), QStringLiteral("save it "));
  EXPECT_EQ(button.size(), QSize(22, 20));
  EXPECT_EQ(button.picture(ToolButton::Picture::Pressed).size(), QSize(22, 20));
  EXPECT_EQ(button.picture(ToolButton::Picture::Disabled).size(), QSize(22, 20));
  // The pictures differ from one another.
  EXPECT_NE(button.picture(ToolButton::Picture::Normal).toImage(),
            button.picture(ToolButton::Picture::Disabled).toImage());
}

TEST_F(ToolButtonTest, SecondPaintChangesNothing) {
  ToolButton button(136, QStringLiteral("X"), &parent_);
  button.grab();
  const QString text = button.toolTip();
  const QImage normal = button.picture(ToolButton::Picture::Normal).toImage();
  button.grab();
  EXPECT_EQ(button.toolTip(), text);
  EXPECT_EQ(button.picture(ToolButton::Picture::Normal).toImage(), normal);
  EXPECT_EQ(text, QStringLiteral("delete it "));
}

TEST_F(ToolButtonTest, StateSelectsThePicture) {
  ToolButton button(169, QStringLiteral("+"), &parent_);
  button.grab();
  EXPECT_EQ(button.currentPicture(), ToolButton::Picture::Normal);
  button.setDown(true);
  EXPECT_EQ(button.currentPicture(), ToolButton::Picture::Pressed);
  EXPECT_EQ(rgb(button.grab()), rgb(button.picture(ToolButton::Picture::Pressed)));
  button.setDown(false);
  button.setEnabled(false);
  EXPECT_EQ(button.currentPicture(), ToolButton::Picture::Disabled);
  EXPECT_EQ(rgb(button.grab()), rgb(button.picture(ToolButton::Picture::Disabled)));
}

TEST_F(ToolButtonTest, HelpPictureIsSmaller) {
  ToolButton button(167, QStringLiteral("?"), &parent_);
  button.grab();
  EXPECT_EQ(button.size(), QSize(20, 18));
  EXPECT_EQ(button.toolTip(), QStringLiteral("get help "));
}

TEST_F(ToolButtonTest, UnknownNumberGetsNoTextAndNoPictures) {
  ToolButton button(999, QStringLiteral("?"), &parent_);
  button.resize(30, 30);
  button.grab();
  EXPECT_TRUE(button.isSetUp());
  EXPECT_TRUE(button.toolTip().isEmpty());
  EXPECT_TRUE(button.picture(ToolButton::Picture::Pressed).isNull());
  EXPECT_EQ(button.size(), QSize(30, 30));
}

TEST(ToolPictureTable, EveryRowHasItsText) {
  EXPECT_STREQ(findToolPicture(133)->toolText, "open a file");
  EXPECT_EQ(findToolPicture(139)->pressed, 141);
  EXPECT_EQ(findToolPicture(156)->disabled, 159);
  EXPECT_STREQ(findToolPicture(172)->toolText, "update it");
  EXPECT_EQ(findToolPicture(134), nullptr);
}

TEST_F(ToolButtonTest, HoverShowsTheText) {
  ToolButton button(176, QStringLiteral("S"), &parent_);
  parent_.show();
  button.grab();
  QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), button.mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(&button, &help);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("save it "));
  QToolTip::hideText();
}

} // namespace
} // namespace linkmoor
