#include "workspace/browse.h"
#include "workspace/page_menu.h"
#include "workspace/tree_image_strip.h"

#include "workspace_test_support.h"

#include <QImage>
#include <QMenu>
#include <gtest/gtest.h>

using namespace linkmoor;

TEST(BrowseAddress, AbsoluteRootGivesThreeSlashesNeverFour) {
  EXPECT_EQ(localBrowseAddress("/home/user/site", "docs/guide.html"),
            "file:///home/user/site/docs/guide.html");
  // A page of the root folder: the info page passes an empty folder.
  EXPECT_EQ(localBrowseAddress("/home/user/site", "index.html"),
            "file:///home/user/site/index.html");
  // Doubled slashes collapse however many there are.
  EXPECT_EQ(localBrowseAddress("/home/user//site/", "/docs//a.htm"),
            "file:///home/user/site/docs/a.htm");
  EXPECT_EQ(localBrowseAddress("relative/site", "a.htm"), "file:///relative/site/a.htm");
}

TEST(BrowseAddress, CharactersThatCannotStandInAnAddressAreEncoded) {
  EXPECT_EQ(localBrowseAddress("/home/user/my site", "a#b?.htm"),
            "file:///home/user/my%20site/a%23b%3F.htm");
  EXPECT_EQ(localBrowseAddress("/srv", QStringLiteral("caf\u00e9.htm")),
            "file:///srv/caf%C3%A9.htm");
  EXPECT_EQ(noHtmlProgramMessage(), "Error: can not open note-pad for edit");
}

TEST(TreePictures, StripsOfTheirSizesWithWhiteTransparent) {
  const TreeImageStrip &local = TreeImageStrip::local();
  EXPECT_EQ(local.cellCount(), 18);
  EXPECT_EQ(local.cellSize(), QSize(16, 16));
  const TreeImageStrip &remote = TreeImageStrip::remote();
  EXPECT_EQ(remote.cellCount(), 32);
  EXPECT_EQ(remote.cellSize(), QSize(20, 16));
  EXPECT_TRUE(local.cell(18).isNull());
  EXPECT_TRUE(local.cell(-1).isNull());

  // Every picture the local tree uses has drawn pixels; the unused cells are empty, and
  // no pixel anywhere is opaque white.
  auto opaque = [](const QPixmap &cell, bool white) {
    const QImage image = cell.toImage().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, y);
        if (qAlpha(p) == 255 && (!white || (p & 0xFFFFFF) == 0xFFFFFF)) ++count;
      }
    return count;
  };
  for (int image : {LOCAL_IMAGE_FOLDER, LOCAL_IMAGE_FILE, LOCAL_IMAGE_HTML}) {
    EXPECT_GT(opaque(local.cell(image), false), 20) << image;
    EXPECT_GT(opaque(local.cell(image + 1), false), 20) << image + 1;
    EXPECT_NE(local.cell(image).toImage(), local.cell(image + 1).toImage()) << image;
  }
  EXPECT_EQ(opaque(local.cell(0), false), 0);
  for (int i = 0; i < local.cellCount(); ++i)
    EXPECT_EQ(opaque(local.cell(i), true), 0) << i;
  for (int image = REMOTE_IMAGE_ROOT; image <= REMOTE_IMAGE_HTML + 1; ++image)
    EXPECT_GT(opaque(remote.cell(image), false), 20) << image;
  // The folder, the page and the HTML page look different.
  EXPECT_NE(local.cell(LOCAL_IMAGE_FILE).toImage(), local.cell(LOCAL_IMAGE_HTML).toImage());
}

TEST(PageMenus, ActionsCarryTheirIdsAndGraying) {
  QMenu menu;
  fillPageMenu(menu, summaryMenu(true));
  ASSERT_EQ(menu.actions().size(), 4);
  EXPECT_EQ(pageCommandOf(menu.actions()[0]), CMD_EDIT_SHOW_DESCRIPTION);
  EXPECT_FALSE(menu.actions()[0]->isEnabled());
  EXPECT_TRUE(menu.actions()[2]->isSeparator());
  EXPECT_EQ(pageCommandOf(menu.actions()[3]), CMD_BROWSE_ROW);
  EXPECT_TRUE(menu.actions()[3]->isEnabled());
  EXPECT_EQ(pageCommandOf(nullptr), 0);
  ASSERT_EQ(errorMenu().size(), 1u);
  EXPECT_EQ(errorMenu()[0].id, CMD_COPY_FORMAT_OR_LINK);
}
