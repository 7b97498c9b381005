// The program on a screen scaled to 200 %: this test runs the test program again with
// QT_SCALE_FACTOR=2, where the pictures must be the ones drawn at twice the
// resolution (keeping their size in the layout) and the report lists must keep every
// text whole, as at 100 %.
#include "app/dialog_units.h"
#include "app/picture_button.h"
#include "app/progress_pictures.h"
#include "storage/widgets/tool_button.h"
#include "workspace/tree_image_strip.h"

#include <QApplication>
#include <QProcess>
#include <QWidget>
#include <gtest/gtest.h>

using namespace linkmoor;

namespace {

bool scaledRun() { return qEnvironmentVariableIsSet("LINKMOOR_SCALED_RUN"); }

TEST(ScaledScreen, PicturesAndListsHoldAtTwoHundredPercent) {
  if (scaledRun()) GTEST_SKIP() << "this is the scaled run itself";
  QProcess run;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("2"));
  environment.insert(QStringLiteral("LINKMOOR_SCALED_RUN"), QStringLiteral("1"));
  run.setProcessEnvironment(environment);
  run.setProcessChannelMode(QProcess::MergedChannels);
  run.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--gtest_filter=AtTwoHundredPercent.*:SummaryLayoutTest.*")});
  ASSERT_TRUE(run.waitForStarted());
  // A bound only against a hung run; the run itself takes seconds.
  ASSERT_TRUE(run.waitForFinished(10 * 60 * 1000));
  const std::string output = run.readAll().toStdString();
  EXPECT_EQ(run.exitStatus(), QProcess::NormalExit) << output;
  EXPECT_EQ(run.exitCode(), 0) << output;
  // The scaled run ran the tests, not nothing.
  EXPECT_NE(output.find("AtTwoHundredPercent.ToolButtonsShowTheirFinePictures"), std::string::npos)
      << output;
}

class AtTwoHundredPercent : public ::testing::Test {
protected:
  void SetUp() override {
    if (!scaledRun()) GTEST_SKIP() << "runs only at 200 %";
    ASSERT_EQ(qGuiApp->devicePixelRatio(), 2.0);
    parent_.resize(200, 100);
  }
  QWidget parent_;
};

TEST_F(AtTwoHundredPercent, ToolButtonsShowTheirFinePictures) {
  ToolButton button(167, QStringLiteral("?"), &parent_);
  parent_.show();
  button.grab(); // the first paint sets the button up
  const QImage shown = button.grab().toImage();
  // The size of the layout stays that of 100 %; the pixels are twice as many.
  EXPECT_EQ(button.size(), QSize(20, 18));
  const QPixmap normal = button.picture(ToolButton::Picture::Normal);
  EXPECT_EQ(normal.devicePixelRatio(), 2.0);
  EXPECT_EQ(normal.size(), QSize(40, 36));
  EXPECT_EQ(shown.size(), QSize(40, 36));
  // Drawn anew, not the small picture blown up: the round sign has pixels that its
  // doubled 100 % picture has not.
  const QImage doubled = loadToolPicture(167, 1.0)
                             .toImage()
                             .scaled(40, 36, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                             .convertToFormat(QImage::Format_ARGB32);
  EXPECT_NE(normal.toImage().convertToFormat(QImage::Format_ARGB32), doubled);
}

TEST_F(AtTwoHundredPercent, ProgressButtonsAreDrawnForTheScreen) {
  const QPixmap stop = progressPicture(PICTURE_STOP);
  const QSize size = progressPictureSize(dialogBaseUnits());
  EXPECT_EQ(stop.devicePixelRatio(), 2.0);
  EXPECT_EQ(stop.size(), size * 2);
  PictureButton button(QStringLiteral("Stop"), stop, progressPicture(PICTURE_STOP_PRESSED),
                       progressPicture(PICTURE_STOP_DISABLED), &parent_);
  EXPECT_EQ(button.size(), size);
  EXPECT_EQ(button.grab().size(), size * 2);
}

TEST_F(AtTwoHundredPercent, TreePicturesAreTheFineStrips) {
  const QPixmap folder = TreeImageStrip::local().cell(4);
  EXPECT_EQ(folder.devicePixelRatio(), 2.0);
  EXPECT_EQ(folder.size(), QSize(32, 32));
  const QPixmap page = TreeImageStrip::remote().cell(14);
  EXPECT_EQ(page.size(), QSize(40, 32));
  EXPECT_EQ(TreeImageStrip::remote().cellSize(), QSize(20, 16));
}

TEST(TreePictures, AtOneHundredPercentThePlainStrips) {
  if (scaledRun()) GTEST_SKIP();
  const TreeImageStrip strip(QStringLiteral(":/workspace/local_tree.png"), QSize(16, 16), 18, 1);
  EXPECT_EQ(strip.cell(8).size(), QSize(16, 16));
  EXPECT_EQ(strip.cell(8).devicePixelRatio(), 1.0);
  const TreeImageStrip fine(QStringLiteral(":/workspace/local_tree.png"), QSize(16, 16), 18, 2);
  EXPECT_EQ(fine.cell(8).size(), QSize(32, 32));
  EXPECT_EQ(fine.cell(8).devicePixelRatio(), 2.0);
  EXPECT_EQ(TreeImageStrip::resourceFor(QStringLiteral(":/workspace/local_tree.png"), 2),
            QStringLiteral(":/workspace/local_tree@2x.png"));
  // Every cell the plain strip draws, the fine one draws too, and nothing more.
  for (int i = 0; i < 18; ++i) {
    const QImage plain = strip.cell(i).toImage();
    const QImage large = fine.cell(i).toImage();
    bool plainDrawn = false, largeDrawn = false;
    for (int y = 0; y < plain.height(); ++y)
      for (int x = 0; x < plain.width(); ++x)
        plainDrawn |= qAlpha(plain.pixel(x, y)) != 0;
    for (int y = 0; y < large.height(); ++y)
      for (int x = 0; x < large.width(); ++x)
        largeDrawn |= qAlpha(large.pixel(x, y)) != 0;
    EXPECT_EQ(plainDrawn, largeDrawn) << "cell " << i;
  }
}

} // namespace
