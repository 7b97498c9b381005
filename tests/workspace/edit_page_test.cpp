#include "app/general_options.h"
#include "workspace_test_support.h"

#include "app/progress_panel.h"
#include "storage/widgets/editor_control.h"
#include "storage/widgets/line_number_gutter.h"
#include "workspace/page_menu.h"
#include "workspace/report_list.h"
#include "workspace/save_report.h"
#include "workspace/sheet_local_pg_desc.h"
#include "workspace/sheet_local_pg_edit.h"
#include "workspace/sheet_local_pg_info.h"
#include "workspace/sheet_local_pg_main.h"

#include <QLabel>
#include <QPushButton>
#include <QTextCursor>
#include <QTreeWidgetItem>
#include <filesystem>
#include <sys/stat.h>

using namespace linkmoor;
using namespace linkmoor::test;

namespace {

class EditTest : public SheetTest {
protected:
  SheetLocalPgEdit *edit() const { return sheet_->editPage(); }
  EditorControl *editor() const { return edit()->editor(); }

  void show(const std::string &path, bool hasErrors) {
    sheet_->showFile(path, hasErrors);
    ASSERT_TRUE(waitForJobs());
    ASSERT_EQ(edit()->fileLabel()->text().toStdString(), path);
  }
  void replaceText(const QString &text) {
    editor()->selectAll();
    editor()->insertPlainText(text);
  }
  // Presses Save and returns the report it showed.
  QString save() {
    MessageAnswers answers;
    edit()->saveButton()->click();
    EXPECT_TRUE(waitForJobs());
    EXPECT_EQ(answers.texts().size(), 1);
    return answers.texts().value(0);
  }
  void analyzeBroken() {
    QTreeWidgetItem *root = sheet_->mainPage()->rootItem();
    for (int i = 0; i < root->childCount(); ++i)
      if (root->child(i)->text(0) == "broken")
        sheet_->mainPage()->runCommand(CMD_ANALYZE_RECURSIVE, root->child(i));
    ASSERT_TRUE(waitForJobs());
  }
};

QString report(std::initializer_list<const char *> lines) {
  QString text = QString::fromLatin1(save_report::kHeader);
  for (const char *line : lines)
    text += QLatin1String(line);
  return text;
}

} // namespace

TEST_F(EditTest, EmptyUntilAFileIsShown) {
  EXPECT_TRUE(edit()->fileLabel()->text().isEmpty());
  EXPECT_TRUE(editor()->editorText().isEmpty());
  EXPECT_FALSE(edit()->saveButton()->isEnabled());
  EXPECT_EQ(edit()->saveButton()->text(), "Save");
}

TEST_F(EditTest, GutterFollowsTheEditorToLineFortyOne) {
  std::string page;
  for (int i = 1; i <= 120; ++i)
    page += "<p>line " + std::to_string(i) + "</p>\n";
  site_.write("long.htm", page);
  show("long.htm", false);
  sheet_->setActivePage(3);
  settle();
  edit()->pane().scrollToLine(41);
  settle();
  EXPECT_EQ(editor()->firstVisibleLine(), 40);
  const std::vector<GutterRow> rows = edit()->gutter()->rows();
  ASSERT_GE(rows.size(), 5u);
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(rows[i].number, 41 + static_cast<int>(i));
}

TEST_F(EditTest, SavingACorrectedPageUpdatesItsRowAndItsErrors) {
  analyzeBroken();
  const int row = sheet_->infoPage()->findRow("broken/links.htm");
  ASSERT_GE(row, 0);
  ASSERT_EQ(sheet_->infoPage()->list()->cellText(row, 2), "7");
  show("broken/links.htm", true);
  ASSERT_EQ(sheet_->descPage()->list()->rowCount(), 7);

  QString text = editor()->editorText();
  text.replace(QStringLiteral("href=\"nothere.htm\""), QStringLiteral("href=\"../index.html\""));
  text.replace(QStringLiteral("src=\"../images/missing.png\""),
               QStringLiteral("src=\"../images/logo.png\""));
  replaceText(text);
  EXPECT_EQ(save(), report({save_report::kSaved, save_report::kGeneralDone,
                            save_report::kDescriptionDone}));
  EXPECT_EQ(QString::fromStdString(site_.read("broken/links.htm")), text);
  ReportList *info = sheet_->infoPage()->list();
  EXPECT_EQ(info->cellText(row, 2), "5");
  EXPECT_EQ(info->cellText(row, 8), "2");
  ReportList *desc = sheet_->descPage()->list();
  ASSERT_EQ(desc->rowCount(), 5);
  EXPECT_EQ(desc->cellText(0, 3), "gone.htm#top");
  EXPECT_EQ(desc->cellText(0, 0), "21");
  EXPECT_TRUE(edit()->saveButton()->isEnabled());
  EXPECT_FALSE(edit()->pane().isModified());
}

TEST_F(EditTest, SavingIntoARemovedFolderReportsTheFailureAndIgnoresTheRest) {
  show("docs/reference/api.htm", true);
  std::filesystem::remove_all(sitePath("docs"));
  EXPECT_EQ(save(), report({save_report::kNotSaved, save_report::kGeneralIgnored,
                            save_report::kDescriptionIgnored}));
  EXPECT_FALSE(std::filesystem::exists(sitePath("docs")));
  // The text stays in the editor for another try.
  EXPECT_FALSE(editor()->editorText().isEmpty());
}

TEST_F(EditTest, AStoppedAnalysisKeepsTheFileSavedAndMarksTheRowCanceled) {
  analyzeBroken();
  show("broken/links.htm", true);
  replaceText(editor()->editorText() + "<!-- checked -->\n");
  gate_.pattern = "example.invalid/";
  MessageAnswers answers;
  edit()->saveButton()->click();
  ASSERT_TRUE(waitUntil([&] { return gate_.reached.load(); }));
  jobs_->panel()->pressStop();
  gate_.release = true;
  ASSERT_TRUE(waitForJobs());
  ASSERT_EQ(answers.texts().size(), 1);
  EXPECT_EQ(answers.texts()[0], report({save_report::kSaved, save_report::kGeneralCanceled,
                                        save_report::kDescriptionIgnored}));
  EXPECT_NE(site_.read("broken/links.htm").find("<!-- checked -->"), std::string::npos);
  const int row = sheet_->infoPage()->findRow("broken/links.htm");
  EXPECT_EQ(sheet_->infoPage()->list()->cellText(row, 1), "canceled");
  EXPECT_EQ(sheet_->infoPage()->list()->cellText(row, 2), "");
}

TEST_F(EditTest, UneditedPagesSaveBackTheirBytesInTheirEncoding) {
  const std::string latin1 = "<html><body>\r\n<p>caf\xe9 \xa9 na\xefve</p>\r\n</body></html>\n";
  const std::string utf8 =
      "<html><body>\n<p>caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x99\x82</p>\n</body></html>\n";
  site_.write("latin1.htm", latin1);
  site_.write("utf8.htm", utf8);
  show("latin1.htm", false);
  EXPECT_TRUE(editor()->editorText().contains(QStringLiteral("caf\u00e9 \u00a9 na\u00efve")));
  save();
  std::string lf = latin1;
  for (std::size_t at; (at = lf.find("\r\n")) != std::string::npos;)
    lf.erase(at, 1);
  EXPECT_EQ(site_.read("latin1.htm"), lf);

  show("utf8.htm", false);
  EXPECT_TRUE(editor()->editorText().contains(QStringLiteral("\u20ac")));
  save();
  EXPECT_EQ(site_.read("utf8.htm"), utf8);
}

TEST_F(EditTest, ACharacterTheEncodingLacksIsNotSaved) {
  const std::string latin1 = "<p>caf\xe9</p>\n";
  site_.write("latin1.htm", latin1);
  show("latin1.htm", false);
  replaceText(editor()->editorText() + QStringLiteral("<p>\u20ac</p>\n"));
  EXPECT_EQ(save(), report({save_report::kNotSaved, save_report::kGeneralIgnored,
                            save_report::kDescriptionIgnored}));
  EXPECT_EQ(site_.read("latin1.htm"), latin1);
}

// The general options choose the line ends of a saved page, byte for byte; taking the
// text for saving leaves the choice as it is.
TEST_F(EditTest, SavedLineEndsFollowTheGeneralOptions) {
  show("about.htm", false);
  generalOptions().lineEnding = 0; // Windows
  replaceText(QStringLiteral("<p>one</p>\n<p>caf\u00e9</p>\n"));
  save();
  EXPECT_EQ(site_.read("about.htm"), "<p>one</p>\r\n<p>caf\xc3\xa9</p>\r\n");
  EXPECT_EQ(generalOptions().lineEnding, 0);
  generalOptions().lineEnding = 1; // Unix
  replaceText(QStringLiteral("<p>two</p>\n"));
  save();
  EXPECT_EQ(site_.read("about.htm"), "<p>two</p>\n");
  EXPECT_EQ(generalOptions().lineEnding, 1);
}

TEST_F(EditTest, AShorterTextLeavesNothingOfTheLongerFileAndKeepsItsMode) {
  show("about.htm", false);
  chmod(sitePath("about.htm").c_str(), 0640);
  replaceText(QStringLiteral("<p>short</p>\n"));
  EXPECT_EQ(save(), report({save_report::kSaved, save_report::kGeneralDone,
                            save_report::kDescriptionDone}));
  EXPECT_EQ(site_.read("about.htm"), "<p>short</p>\n");
  struct stat info {};
  ASSERT_EQ(stat(sitePath("about.htm").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(EditTest, ShowingAnotherPageAsksBeforeDroppingUnsavedChanges) {
  show("about.htm", false);
  replaceText("<html>my corrections</html>\n");
  {
    MessageAnswers answers;
    answers.then(QMessageBox::No);
    sheet_->showFile("index.html", false);
    settle();
    ASSERT_EQ(answers.texts().size(), 1);
    EXPECT_EQ(answers.texts()[0].toStdString(), kDiscardEditsQuestion);
  }
  EXPECT_EQ(sheet_->currentFile(), "about.htm");
  EXPECT_EQ(editor()->editorText(), "<html>my corrections</html>\n");
  {
    MessageAnswers answers;
    answers.then(QMessageBox::Yes);
    sheet_->showFile("index.html", false);
    ASSERT_TRUE(waitForJobs());
    EXPECT_EQ(answers.texts().size(), 1);
  }
  EXPECT_EQ(sheet_->currentFile(), "index.html");
  // A page shown afresh is not modified: no question the next time.
  MessageAnswers none;
  show("about.htm", false);
  EXPECT_TRUE(none.texts().isEmpty());
}
