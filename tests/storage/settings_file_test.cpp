#include "setting_folder.h"
#include "storage/settings_file.h"

#include <gtest/gtest.h>
#include <string>

using namespace linkmoor;
using namespace std::string_literals;

namespace {
const std::string kFresh = "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n<LIST>\r\n"
                           "\r\n\r\n{SECT_GLOBAL}\r\n<KEY>\r\n<LIST>\r\n";

class SettingsTest : public linkmoor::test::SettingFolderTest {
protected:
  const std::string file = "Linkmoor.set";
};
} // namespace

TEST_F(SettingsTest, OpenOrCreateWritesTheTenLinesAndNothingElse) {
  SettingsFile settings;
  ASSERT_TRUE(settings.openOrCreate());
  settings.close();
  EXPECT_EQ(get(file), kFresh);
  EXPECT_EQ(modeOf(setting(file)), 0600);
  EXPECT_EQ(SettingsFile::filePath(), setting(file));
  SettingsFile again;
  ASSERT_TRUE(again.openOrCreate());
  again.close();
  EXPECT_EQ(get(file), kFresh) << "existing sections are not added twice";
}

TEST_F(SettingsTest, AFreshFileReadsAllDefaults) {
  SettingsFile settings;
  ASSERT_TRUE(settings.openOrCreate());
  WindowPlacement placement{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  EXPECT_FALSE(settings.readWindowPlacement(placement));
  EXPECT_EQ(placement, (WindowPlacement{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  int onTop = -1, lineEnding = -1;
  EXPECT_FALSE(settings.readDialogFlags(onTop));
  EXPECT_EQ(onTop, 1);
  EXPECT_FALSE(settings.readGeneralOptions(lineEnding));
  EXPECT_EQ(lineEnding, 0);
  std::string folder = "stale";
  EXPECT_FALSE(settings.readLocalLastFolder(folder));
  EXPECT_EQ(folder, "");
}

TEST_F(SettingsTest, ClosingTheMainWindowInsertsTheKeysInFrontOfList) {
  SettingsFile start;
  ASSERT_TRUE(start.openOrCreate());
  start.close();
  SettingsFile closing;
  ASSERT_TRUE(closing.openExisting());
  ASSERT_TRUE(closing.writeWindowPlacement({0, 1, -1, -1, -1, -1, 10, 20, 810, 620}));
  ASSERT_TRUE(closing.writeDialogFlags(1));
  ASSERT_TRUE(closing.writeGeneralOptions(0));
  closing.close();
  EXPECT_EQ(get(file), "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n"
                       "[KEY_DLGPLACEMENT]0=1=-1=-1=-1=-1=10=20=810=620\r\n"
                       "[KEY_DLG_BOOLS]1\r\n"
                       "[KEY_GENOPT_BOOLS]0\r\n"
                       "<LIST>\r\n\r\n\r\n{SECT_GLOBAL}\r\n<KEY>\r\n<LIST>\r\n");
  SettingsFile next;
  ASSERT_TRUE(next.openOrCreate());
  WindowPlacement placement;
  ASSERT_TRUE(next.readWindowPlacement(placement));
  EXPECT_EQ(placement, (WindowPlacement{0, 1, -1, -1, -1, -1, 10, 20, 810, 620}));
  int onTop = 0;
  EXPECT_TRUE(next.readDialogFlags(onTop));
  EXPECT_EQ(onTop, 1);
}

TEST_F(SettingsTest, WritingAnExistingKeyReplacesItsLineInPlace) {
  put(file, "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLGLOCALLASTDIR]/a/long/folder\r\n"
            "[KEY_DLG_BOOLS]1\r\n<LIST>\r\nbehind\r\n");
  SettingsFile settings;
  ASSERT_TRUE(settings.openExisting());
  ASSERT_TRUE(settings.writeLocalLastFolder("/b"));
  EXPECT_EQ(get(file), "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLGLOCALLASTDIR]/b\r\n"
                       "[KEY_DLG_BOOLS]1\r\n<LIST>\r\nbehind\r\n");
  ASSERT_TRUE(settings.writeLocalLastFolder("/a/much/longer/folder/than/before"));
  std::string path;
  ASSERT_TRUE(settings.readLocalLastFolder(path));
  EXPECT_EQ(path, "/a/much/longer/folder/than/before");
  ASSERT_TRUE(settings.writeRemoteLastFolder("/r"));
  ASSERT_TRUE(settings.readRemoteLastFolder(path));
  EXPECT_EQ(path, "/r");
  settings.close();
  EXPECT_EQ(get(file), "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n"
                       "[KEY_DLGLOCALLASTDIR]/a/much/longer/folder/than/before\r\n"
                       "[KEY_DLG_BOOLS]1\r\n[KEY_DLGREMOTELASTDIR]/r\r\n<LIST>\r\nbehind\r\n");
}

TEST_F(SettingsTest, SectionHeadersMayEndInBlanksButCaseMatters) {
  put(file, "{SECT_MAIN}   \r\n[KEY_DLG_BOOLS]0\r\n<LIST>\r\n{sect_main}\r\n<LIST>\r\n");
  SettingsFile settings;
  ASSERT_TRUE(settings.openExisting());
  std::int64_t header = -1, body = -1;
  ASSERT_TRUE(settings.findSection("SECT_MAIN", &header, &body));
  EXPECT_EQ(header, 0);
  EXPECT_EQ(body, 16);
  EXPECT_FALSE(settings.findSection("sect_MAIN"));
  EXPECT_FALSE(settings.findSection("SECT_GLOBAL"));
  int onTop = 1;
  EXPECT_TRUE(settings.readDialogFlags(onTop));
  EXPECT_EQ(onTop, 0);
}

TEST_F(SettingsTest, AKeyBehindListIsNotFoundAndANewLineGoesInFrontOfList) {
  put(file, "{SECT_MAIN}\r\n<KEY>\r\n<LIST>\r\n[KEY_GENOPT_BOOLS]1\r\n");
  SettingsFile settings;
  ASSERT_TRUE(settings.openExisting());
  int lineEnding = 5;
  EXPECT_FALSE(settings.readGeneralOptions(lineEnding));
  EXPECT_EQ(lineEnding, 0);
  ASSERT_TRUE(settings.writeGeneralOptions(1));
  settings.close();
  EXPECT_EQ(get(file),
            "{SECT_MAIN}\r\n<KEY>\r\n[KEY_GENOPT_BOOLS]1\r\n<LIST>\r\n[KEY_GENOPT_BOOLS]1\r\n");
}

TEST_F(SettingsTest, WithoutListAndFinalLineEndCrLfIsAddedBeforeTheNewKey) {
  put(file, "{SECT_MAIN}\r\n<KEY>");
  SettingsFile settings;
  ASSERT_TRUE(settings.openExisting());
  ASSERT_TRUE(settings.writeDialogFlags(0));
  settings.close();
  EXPECT_EQ(get(file), "{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLG_BOOLS]0\r\n");
  put(file, "{SECT_MAIN}\r\n<KEY>\n");
  SettingsFile lf;
  ASSERT_TRUE(lf.openExisting());
  ASSERT_TRUE(lf.writeDialogFlags(0));
  lf.close();
  // A lone LF ends no line: without a CR LF in front the new key would be lost.
  EXPECT_EQ(get(file), "{SECT_MAIN}\r\n<KEY>\n\r\n[KEY_DLG_BOOLS]0\r\n");
}

TEST_F(SettingsTest, PlacementNeedsTenNumbersAndNeverRestoresMinimized) {
  SettingsFile settings;
  ASSERT_TRUE(settings.openOrCreate());
  WindowPlacement placement{0, 1, 0, 0, 0, 0, 5, 5, 50, 50};
  ASSERT_TRUE(settings.writeKey(SECT_MAIN, KEY_DLGPLACEMENT, "0=1=2=3=4=5=6=7=8"));
  EXPECT_FALSE(settings.readWindowPlacement(placement));
  EXPECT_EQ(placement, (WindowPlacement{0, 1, 0, 0, 0, 0, 5, 5, 50, 50}));
  ASSERT_TRUE(settings.writeKey(SECT_MAIN, KEY_DLGPLACEMENT, "2=2=-1=-1=-1=-1=10=20=30=40=99"));
  ASSERT_TRUE(settings.readWindowPlacement(placement));
  EXPECT_EQ(placement, (WindowPlacement{2, 9, -1, -1, -1, -1, 10, 20, 30, 40}));
  ASSERT_TRUE(settings.writeWindowPlacement({0, 3, 0, 0, 0, 0, 1, 2, 3, 4}));
  ASSERT_TRUE(settings.readWindowPlacement(placement));
  EXPECT_EQ(placement.showCommand, 3) << "maximized stays maximized";
}

TEST_F(SettingsTest, BoolSetsAreReadBitByBitAndWrittenAsUnsigned) {
  SettingsFile settings;
  ASSERT_TRUE(settings.openOrCreate());
  ASSERT_TRUE(settings.writeKey(SECT_MAIN, KEY_DLG_BOOLS, "65537"));
  int onTop = 0;
  ASSERT_TRUE(settings.readDialogFlags(onTop));
  EXPECT_EQ(onTop, 1);
  BoolSet flags;
  ASSERT_TRUE(settings.readBoolSet(KEY_DLG_BOOLS, flags));
  EXPECT_EQ(flags.flag(16), 1);
  ASSERT_TRUE(settings.writeKey(SECT_MAIN, KEY_DLG_BOOLS, "2"));
  ASSERT_TRUE(settings.readDialogFlags(onTop));
  EXPECT_EQ(onTop, 0) << "only bit 0 counts";
  BoolSet all;
  for (int i = 0; i < BoolSet::kCount; ++i)
    all.setFlag(i, 1);
  ASSERT_TRUE(settings.writeBoolSet(KEY_GENOPT_BOOLS, all));
  std::string value;
  ASSERT_TRUE(settings.readKey(SECT_MAIN, KEY_GENOPT_BOOLS, value));
  EXPECT_EQ(value, "131071");
  ASSERT_TRUE(settings.writeGeneralOptions(7));
  ASSERT_TRUE(settings.readKey(SECT_MAIN, KEY_GENOPT_BOOLS, value));
  EXPECT_EQ(value, "1");
}

TEST_F(SettingsTest, OpenExistingNeverCreatesAndOpenOrCreateAddsAMissingSection) {
  SettingsFile settings;
  EXPECT_FALSE(settings.openExisting());
  EXPECT_FALSE(std::filesystem::exists(setting(file)));
  EXPECT_FALSE(settings.writeDialogFlags(1));
  put(file, "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLG_BOOLS]0\r\n<LIST>\r\n");
  ASSERT_TRUE(settings.openExisting());
  EXPECT_FALSE(settings.findSection(SECT_GLOBAL));
  EXPECT_FALSE(settings.writeKey(SECT_GLOBAL, "KEY_X", "1")) << "a missing section is not made";
  ASSERT_TRUE(settings.openOrCreate());
  settings.close();
  EXPECT_EQ(get(file), "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLG_BOOLS]0\r\n<LIST>\r\n"
                       "\r\n\r\n{SECT_GLOBAL}\r\n<KEY>\r\n<LIST>\r\n");
}

TEST_F(SettingsTest, ReadLineEndsAtCrLfOrALoneCrButNotAtALoneLf) {
  put(file, "one\r\ntwo\rthree\nfour\r\n\r\nlast\r");
  SettingsFile settings;
  ASSERT_TRUE(settings.openExisting());
  std::string line;
  std::int64_t start = -1, end = -1;
  ASSERT_TRUE(settings.readLine(line, &start, &end));
  EXPECT_EQ(line, "one");
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, 5);
  ASSERT_TRUE(settings.readLine(line, &start, &end));
  EXPECT_EQ(line, "two\r");
  EXPECT_EQ(end, 9) << "the byte behind the CR is given back";
  ASSERT_TRUE(settings.readLine(line));
  EXPECT_EQ(line, "three\nfour");
  ASSERT_TRUE(settings.readLine(line));
  EXPECT_EQ(line, "");
  ASSERT_TRUE(settings.readLine(line, &start, &end));
  EXPECT_EQ(line, "last\r");
  EXPECT_EQ(end, 28);
  EXPECT_FALSE(settings.readLine(line));
}

TEST_F(SettingsTest, ReplaceRangeMovesTheRestOfTheFile) {
  put(file, "0123456789");
  SettingsFile settings;
  ASSERT_TRUE(settings.openExisting());
  ASSERT_TRUE(settings.replaceRange(2, 5, "ab"));
  ASSERT_TRUE(settings.replaceRange(0, 0, "<"));
  ASSERT_TRUE(settings.replaceRange(10, 10, ">"));
  EXPECT_FALSE(settings.replaceRange(5, 4, "x"));
  EXPECT_FALSE(settings.replaceRange(0, 100, "x"));
  settings.close();
  EXPECT_EQ(get(file), "<01ab56789\r\n>");
}

TEST_F(SettingsTest, HeadersAreFoundRightBelowAnotherBraceLine) {
  put(file, "{SECT_OTHER}\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLG_BOOLS]0\r\n<LIST>\r\n"
            "[KEY_DLGLOCALLASTDIR]/odd{\r\n{SECT_GLOBAL}\r\n<KEY>\r\n<LIST>\r\n");
  SettingsFile settings;
  ASSERT_TRUE(settings.openOrCreate());
  settings.close();
  EXPECT_EQ(get(file).find("\r\n\r\n{"), std::string::npos) << "nothing was appended";
  SettingsFile reader;
  ASSERT_TRUE(reader.openExisting());
  int onTop = 1;
  EXPECT_TRUE(reader.readDialogFlags(onTop));
  EXPECT_EQ(onTop, 0);
}

TEST_F(SettingsTest, ValuesThatWouldBreakTheLineAreRefused) {
  SettingsFile settings;
  ASSERT_TRUE(settings.openOrCreate());
  EXPECT_FALSE(settings.writeLocalLastFolder("/a\r<LIST>"));
  EXPECT_FALSE(settings.writeLocalLastFolder("/a\0b"s));
  ASSERT_TRUE(settings.writeLocalLastFolder("/caf\xE9/{x}/[y]"));
  std::string path;
  ASSERT_TRUE(settings.readLocalLastFolder(path));
  EXPECT_EQ(path, "/caf\xE9/{x}/[y]");
  settings.close();
  EXPECT_EQ(get(file).find('\r' + std::string("<LIST>")), std::string::npos);
}
