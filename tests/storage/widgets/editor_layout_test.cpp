#include "storage/widgets/editor_layout.h"
#include "storage/widgets/editor_menu.h"
#include "storage/widgets/line_number_gutter.h"

#include <gtest/gtest.h>

using namespace linkmoor;

TEST(EditorPaneLayout, PlacesTheWindowsInA400By300Page) {
  const EditorPaneGeometry g = editorPaneLayout(QRect(0, 0, 400, 300), QSize(70, 24));
  EXPECT_EQ(g.fileLabel, QRect(10, 12, 380, 14));
  EXPECT_EQ(g.gutter, QRect(10, 31, 50, 256 - 31));
  EXPECT_EQ(g.editor, QRect(60, 31, 390 - 60, 256 - 31));
  EXPECT_EQ(g.saveButton, QRect(165, 268, 70, 24));
  EXPECT_EQ(g.frame, QRect(10, 31, 380, 225));
}

TEST(EditorPaneLayout, CentresTheButtonRoundingTowardZero) {
  // (381 - 70) / 2 = 155.5 rounds to 155.
  const EditorPaneGeometry g = editorPaneLayout(QRect(0, 0, 401, 300), QSize(70, 24));
  EXPECT_EQ(g.saveButton.x(), 165);
}

TEST(EditorPaneLayout, ATinyPageGivesNoNegativeSizes) {
  const EditorPaneGeometry g = editorPaneLayout(QRect(0, 0, 30, 40), QSize(70, 24));
  for (const QRect &r : {g.fileLabel, g.gutter, g.editor, g.frame}) {
    EXPECT_GE(r.width(), 0);
    EXPECT_GE(r.height(), 0);
  }
}

TEST(EditorPaneFrame, TwoSunkenRectanglesAroundTheFrame) {
  const std::vector<FrameStroke> strokes = frameStrokes(QRect(10, 31, 380, 225));
  ASSERT_EQ(strokes.size(), 8u);
  // Inner rectangle: the frame enlarged by 2 on each side, 384 by 229 at (8, 29).
  EXPECT_EQ(strokes[0].rect, QRect(8, 29, 383, 1)); // top, black
  EXPECT_EQ(strokes[0].colour, QColor(Qt::black));
  EXPECT_EQ(strokes[1].rect, QRect(8, 29, 1, 228));   // left, black
  EXPECT_EQ(strokes[2].rect, QRect(391, 29, 1, 229)); // right, white
  EXPECT_EQ(strokes[2].colour, QColor(Qt::white));
  EXPECT_EQ(strokes[3].rect, QRect(8, 257, 384, 1)); // bottom, white
  // Outer rectangle: one pixel further out.
  EXPECT_EQ(strokes[4].rect, QRect(7, 28, 385, 1));
  EXPECT_EQ(strokes[7].rect, QRect(7, 258, 386, 1));
}

TEST(GutterRows, AsManyNumbersAsWholeLinesFit) {
  const std::vector<GutterRow> rows = gutterRows(0, 13, 100, {});
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows.front(), (GutterRow{1, 1}));
  EXPECT_EQ(rows.back(), (GutterRow{7, 1 + 6 * 13}));
}

TEST(GutterRows, CountFromTheFirstVisibleLine) {
  const std::vector<GutterRow> rows = gutterRows(40, 13, 100, {});
  ASSERT_EQ(rows.size(), 7u);
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(rows[i].number, 41 + i);
}

TEST(GutterRows, FollowTheReportedLineTopsThenKeepTheLineHeight) {
  // A short text: three lines reported, the rest continue below them.
  const std::vector<GutterRow> rows = gutterRows(0, 10, 55, {1, 11, 31});
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[1].y, 11);
  EXPECT_EQ(rows[2].y, 31);
  EXPECT_EQ(rows[3].y, 41);
  EXPECT_EQ(rows[4].y, 51);
}

TEST(GutterRows, NothingWithoutAPositiveLineHeight) {
  EXPECT_TRUE(gutterRows(0, 0, 100, {}).empty());
  EXPECT_TRUE(gutterRows(0, -3, 100, {}).empty());
  EXPECT_TRUE(gutterRows(0, 13, 12, {}).empty());
}

TEST(EditMenu, ItemsTextsAndIdsInOrder) {
  const char *texts[] = {"Undo", nullptr, "Cut", "Copy", "Paste", "Delete", nullptr, "Select all"};
  const int ids[] = {32798, 0, 32799, 32800, 32801, 32802, 0, 32803};
  for (std::size_t i = 0; i < kEditMenuItems.size(); ++i) {
    EXPECT_EQ(static_cast<int>(kEditMenuItems[i].command), ids[i]);
    if (texts[i])
      EXPECT_STREQ(kEditMenuItems[i].text, texts[i]);
    else
      EXPECT_EQ(kEditMenuItems[i].text, nullptr);
  }
}

TEST(EditMenu, GrayingRules) {
  EditMenuState none;
  EXPECT_FALSE(isEditCommandEnabled(EditCommand::Undo, none));
  EXPECT_FALSE(isEditCommandEnabled(EditCommand::Cut, none));
  EXPECT_FALSE(isEditCommandEnabled(EditCommand::Copy, none));
  EXPECT_FALSE(isEditCommandEnabled(EditCommand::Delete, none));
  EXPECT_FALSE(isEditCommandEnabled(EditCommand::Paste, none));
  EXPECT_TRUE(isEditCommandEnabled(EditCommand::SelectAll, none));

  EditMenuState all{true, true, QStringLiteral("x")};
  for (const EditMenuItem &item : kEditMenuItems) {
    if (item.command != EditCommand::None) {
      EXPECT_TRUE(isEditCommandEnabled(item.command, all)) << item.text;
    }
  }
}
