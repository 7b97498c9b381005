// The options sheet, offscreen: the page shows the line ending, "Apply" stores it and
// stays open, "Close" leaves it, and the caption's help button opens its help page.
#include "app/general_options.h"
#include "app/help_topic.h"
#include "app/help_window.h"
#include "workspace/sheet_option.h"
#include "workspace/sheet_option_pg_main.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace linkmoor {
namespace {

// Clicks a radio button on its indicator (a click on the empty part of a wide radio
// button does nothing).
void choose(QRadioButton *button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

class SheetOptionTest : public ::testing::Test {
protected:
  void SetUp() override { generalOptions().lineEnding = 0; }
  void TearDown() override {
    generalOptions().lineEnding = 0;
    closeHelpWindow();
    setHelpFolder(QString());
  }
};

TEST_F(SheetOptionTest, CaptionsOfSheetPageAndButtons) {
  SheetOption sheet;
  EXPECT_EQ(sheet.windowTitle(), QStringLiteral("General options"));
  ASSERT_EQ(sheet.tabs()->count(), 1);
  EXPECT_EQ(sheet.tabs()->tabText(0), QStringLiteral("Main"));
  EXPECT_EQ(sheet.applyButton()->text(), QStringLiteral("Apply"));
  EXPECT_EQ(sheet.closeButton()->text(), QStringLiteral("Close"));
  const auto groups = sheet.mainPage()->findChildren<QGroupBox *>();
  ASSERT_EQ(groups.size(), 1);
  EXPECT_EQ(groups[0]->title(), QStringLiteral("Edit line ending"));
  EXPECT_EQ(sheet.mainPage()->windowsButton()->text(), QStringLiteral("Windows   <CR><LF>"));
  EXPECT_EQ(sheet.mainPage()->unixButton()->text(), QStringLiteral("Unix   <LF>"));
  EXPECT_TRUE(sheet.windowFlags() & Qt::WindowContextHelpButtonHint);
}

TEST_F(SheetOptionTest, PageShowsTheLineEnding) {
  {
    SheetOption sheet;
    EXPECT_TRUE(sheet.mainPage()->windowsButton()->isChecked());
    EXPECT_FALSE(sheet.mainPage()->unixButton()->isChecked());
  }
  generalOptions().lineEnding = 1;
  SheetOption sheet;
  EXPECT_TRUE(sheet.mainPage()->unixButton()->isChecked());
  EXPECT_FALSE(sheet.mainPage()->windowsButton()->isChecked());
}

TEST_F(SheetOptionTest, UnixThenCloseLeavesTheOption) {
  SheetOption sheet;
  sheet.show();
  choose(sheet.mainPage()->unixButton());
  ASSERT_TRUE(sheet.mainPage()->unixButton()->isChecked());
  QTest::mouseClick(sheet.closeButton(), Qt::LeftButton);
  EXPECT_FALSE(sheet.isVisible());
  EXPECT_EQ(sheet.result(), QDialog::Rejected);
  EXPECT_EQ(generalOptions().lineEnding, 0);
}

TEST_F(SheetOptionTest, ApplyStoresAndStaysOpen) {
  SheetOption sheet;
  sheet.show();
  choose(sheet.mainPage()->unixButton());
  QTest::mouseClick(sheet.applyButton(), Qt::LeftButton);
  EXPECT_EQ(generalOptions().lineEnding, 1);
  EXPECT_TRUE(sheet.isVisible());
  choose(sheet.mainPage()->windowsButton());
  QTest::mouseClick(sheet.applyButton(), Qt::LeftButton);
  EXPECT_EQ(generalOptions().lineEnding, 0);
  // Unix, Apply, then Close: the applied choice stays.
  choose(sheet.mainPage()->unixButton());
  QTest::mouseClick(sheet.applyButton(), Qt::LeftButton);
  QTest::mouseClick(sheet.closeButton(), Qt::LeftButton);
  EXPECT_EQ(generalOptions().lineEnding, 1);
}

TEST_F(SheetOptionTest, EnterAppliesAndTheFocusStartsOnTheHiddenButton) {
  SheetOption sheet;
  sheet.show();
  sheet.activateWindow();
  QApplication::processEvents();
  QWidget *focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  EXPECT_EQ(focus->objectName(), QStringLiteral("HiddenFirstButton"));
  sheet.mainPage()->unixButton()->setChecked(true);
  QTest::keyClick(focus, Qt::Key_Return);
  EXPECT_EQ(generalOptions().lineEnding, 1);
  EXPECT_TRUE(sheet.isVisible());
}

TEST_F(SheetOptionTest, CaptionHelpButtonOpensTheOptionsPage) {
  setHelpFolder(QStringLiteral(LINKMOOR_SOURCE_DIR "/resources/help"));
  SheetOption sheet;
  sheet.show();
  QEvent enter(QEvent::EnterWhatsThisMode);
  QApplication::sendEvent(&sheet, &enter);
  ASSERT_NE(currentHelpWindow(), nullptr);
  EXPECT_TRUE(currentHelpWindow()->currentPage().endsWith(QStringLiteral("options/options.htm")));
  EXPECT_TRUE(sheet.isVisible());
}

} // namespace
} // namespace linkmoor
