// The help pages beside the program and the window that shows them.
#include "app/help_pane.h"
#include "app/help_topic.h"
#include "app/help_window.h"
#include "app_test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPointer>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QToolButton>
#include <gtest/gtest.h>

namespace linkmoor {
namespace {

class HelpTopicTest : public test::AppTest {};

TEST_F(HelpTopicTest, EveryPageTheProgramNamesIsThere) {
  for (const char *page :
       {"start.htm", "about/about.htm", "local/place.htm", "local/pagemain.htm",
        "local/pageinfo.htm", "local/pagedescedit.htm", "site/connect.htm", "site/siteoption.htm",
        "site/pagemain.htm", "site/pageinfo.htm", "site/pagedescedit.htm", "options/options.htm"}) {
    const QString path = helpPagePath(QString::fromLatin1(page));
    EXPECT_TRUE(QFileInfo(path).isFile()) << page;
  }
}

TEST_F(HelpTopicTest, ShowsTheAskedPageAndReusesTheWindow) {
  QWidget owner;
  owner.show();
  showHelpTopic(&owner, QStringLiteral("local\\place.htm"));
  HelpWindow *window = currentHelpWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->currentPage(), helpPagePath(QStringLiteral("local/place.htm")));
  EXPECT_TRUE(window->browser()->toPlainText().contains(QStringLiteral("Local projects")));
  showHelpTopic(&owner, QStringLiteral("about/about.htm"));
  EXPECT_EQ(currentHelpWindow(), window);
  EXPECT_TRUE(window->currentPage().endsWith(QStringLiteral("about/about.htm")));
}

// Every picture a help page names, as the page names it, is found and drawn.
TEST_F(HelpTopicTest, PagePicturesAreFound) {
  QWidget owner;
  for (const char *page : {"local/place.htm"}) {
    SCOPED_TRACE(page);
    showHelpTopic(&owner, QString::fromLatin1(page));
    QTextBrowser *browser = currentHelpWindow()->browser();
    QStringList sources;
    const QTextDocument *document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextImageFormat image = it.fragment().charFormat().toImageFormat();
        if (image.isValid()) sources << image.name();
      }
    ASSERT_FALSE(sources.isEmpty()) << "the page shows its tool buttons";
    for (const QString &source : sources) {
      const QUrl url(source);
      EXPECT_TRUE(browser->loadResource(QTextDocument::ImageResource, url).isValid())
          << source.toStdString();
      const QString file = url.scheme() == QStringLiteral("qrc")
                               ? QStringLiteral(":") + url.path()
                               : QFileInfo(browser->source().toLocalFile()).dir().filePath(source);
      EXPECT_FALSE(QImage(file).isNull()) << source.toStdString();
    }
  }
}

TEST_F(HelpTopicTest, MissingPageShowsANote) {
  QWidget owner;
  showHelpTopic(&owner, QStringLiteral("no/such.htm"));
  ASSERT_NE(currentHelpWindow(), nullptr);
  EXPECT_TRUE(currentHelpWindow()->currentPage().isEmpty());
  EXPECT_TRUE(currentHelpWindow()->browser()->toPlainText().contains(QStringLiteral("not found")));
}

TEST_F(HelpTopicTest, HelpFolderDefaultsToTheProgramsFolder) {
  setHelpFolder(QString());
  EXPECT_TRUE(helpFolder().endsWith(QStringLiteral("/help")));
  EXPECT_EQ(helpPagePath(QStringLiteral("\\about\\about.htm")), helpFolder() + "/about/about.htm");
}

TEST_F(HelpTopicTest, StartPageLeadsToTheLocalProjects) {
  HelpPane pane;
  pane.navigate(HelpPane::startPage());
  EXPECT_TRUE(pane.toPlainText().contains(QStringLiteral("Local files")));
}

// From a page the start page links to, a visible button leads back.
TEST_F(HelpTopicTest, StartPageHasAVisibleWayBack) {
  HelpPane pane;
  pane.resize(500, 300);
  pane.show();
  pane.navigate(HelpPane::startPage());
  EXPECT_FALSE(pane.backButton()->isVisible());
  pane.navigate(QUrl::fromLocalFile(helpPagePath(QStringLiteral("local/place.htm"))));
  ASSERT_TRUE(pane.backButton()->isVisible());
  EXPECT_TRUE(pane.viewport()->geometry().contains(pane.backButton()->geometry()));
  pane.backButton()->click();
  EXPECT_EQ(pane.source(), HelpPane::startPage());
  EXPECT_FALSE(pane.backButton()->isVisible());
}

TEST_F(HelpTopicTest, EscapeClosesTheHelpWindow) {
  QWidget owner;
  owner.show();
  showHelpTopic(&owner, QStringLiteral("about/about.htm"));
  QPointer<HelpWindow> window = currentHelpWindow();
  ASSERT_TRUE(window);
  window->activateWindow();
  QTest::keyClick(window->browser(), Qt::Key_Escape);
  EXPECT_TRUE(window.isNull() || !window->isVisible());
}

} // namespace
} // namespace linkmoor

namespace linkmoor {
namespace {

// A help window asked for by a window kept above all others stays above it, also when
// a dialog of that window asks; it follows the owner when "Always on top" goes off.
TEST_F(HelpTopicTest, HelpStaysAboveAnOwnerKeptOnTop) {
  QWidget owner(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
  owner.show();
  QWidget dialog(&owner, Qt::Dialog);
  dialog.show();
  showHelpTopic(&dialog, QStringLiteral("about/about.htm"));
  ASSERT_NE(currentHelpWindow(), nullptr);
  EXPECT_TRUE(currentHelpWindow()->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(currentHelpWindow()->isVisible());

  owner.setWindowFlag(Qt::WindowStaysOnTopHint, false);
  showHelpTopic(&owner, QStringLiteral("about/about.htm"));
  EXPECT_FALSE(currentHelpWindow()->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(currentHelpWindow()->isVisible());
  closeHelpWindow();
}

} // namespace
} // namespace linkmoor
