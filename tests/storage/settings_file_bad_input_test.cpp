#include "setting_folder.h"
#include "storage/settings_file.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

using namespace linkmoor;
using namespace std::string_literals;

namespace {
const std::string kSections = "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n<LIST>\r\n"
                              "\r\n\r\n{SECT_GLOBAL}\r\n<KEY>\r\n<LIST>\r\n";

class SettingsBadInput : public linkmoor::test::SettingFolderTest {
protected:
  // Opens the file as the main window does at start and reads what it reads.
  struct Start {
    bool opened = false;
    WindowPlacement placement{7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
    int onTop = -1;
    int lineEnding = -1;
  };
  static Start start() {
    Start s;
    SettingsFile settings;
    s.opened = settings.openOrCreate();
    settings.readWindowPlacement(s.placement);
    settings.readDialogFlags(s.onTop);
    settings.readGeneralOptions(s.lineEnding);
    return s;
  }
  static bool isDefault(const Start &s) {
    return s.placement == WindowPlacement{7, 7, 7, 7, 7, 7, 7, 7, 7, 7} && s.onTop == 1 &&
           s.lineEnding == 0;
  }
  // Writes what the main window writes when it closes, then reads it back.
  static bool closeAndReadBack() {
    {
      SettingsFile settings;
      if (!settings.openExisting()) return false;
      settings.writeWindowPlacement({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
      settings.writeDialogFlags(0);
      settings.writeGeneralOptions(1);
    }
    Start s = start();
    return s.opened && s.placement == WindowPlacement{0, 1, 2, 3, 4, 5, 6, 7, 8, 9} &&
           s.onTop == 0 && s.lineEnding == 1;
  }
  const std::string file = "Linkmoor.set";
};
} // namespace

TEST_F(SettingsBadInput, LfOnlyLinesYieldDefaultsAndGetCrLfSectionsAppended) {
  const std::string lfOnly = "\n\n{SECT_MAIN}\n<KEY>\n[KEY_DLGPLACEMENT]0=1=2=3=4=5=6=7=8=9\n"
                             "[KEY_DLG_BOOLS]0\n[KEY_GENOPT_BOOLS]1\n<LIST>\n"
                             "\n\n{SECT_GLOBAL}\n<KEY>\n<LIST>\n";
  put(file, lfOnly);
  Start s = start();
  ASSERT_TRUE(s.opened);
  EXPECT_TRUE(isDefault(s));
  EXPECT_EQ(get(file), lfOnly + kSections);
  EXPECT_TRUE(closeAndReadBack()) << "the appended sections are found and used";
  EXPECT_EQ(get(file).substr(0, lfOnly.size()), lfOnly) << "the old content stays";
}

TEST_F(SettingsBadInput, AnEmptyFileGetsBothSections) {
  put(file, "");
  EXPECT_TRUE(isDefault(start()));
  EXPECT_EQ(get(file), kSections);
}

TEST_F(SettingsBadInput, ATruncatedFileKeepsWhatItHasAndIsRepaired) {
  put(file, "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLG_BOOLS]0\r\n[KEY_DLGPLACEMENT]0=1=2");
  Start s = start();
  ASSERT_TRUE(s.opened);
  EXPECT_EQ(s.onTop, 0);
  EXPECT_EQ(s.placement, (WindowPlacement{7, 7, 7, 7, 7, 7, 7, 7, 7, 7}));
  EXPECT_TRUE(closeAndReadBack());
  std::string text = get(file);
  EXPECT_EQ(text.find("0=1=2\r"), std::string::npos) << "the broken line was replaced";
  EXPECT_NE(text.find("{SECT_GLOBAL}\r\n"), std::string::npos);

  put(file, "\r\n\r\n{SECT_MA");
  EXPECT_TRUE(isDefault(start()));
  EXPECT_EQ(get(file), "\r\n\r\n{SECT_MA" + kSections);
}

TEST_F(SettingsBadInput, GarbageNeitherCrashesNorKeepsSettingsFromBeingStored) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    std::string bytes(1 + random() % 4000, '\0');
    for (char &c : bytes)
      c = static_cast<char>(random());
    put(file, bytes);
    Start s = start();
    ASSERT_TRUE(s.opened);
    EXPECT_TRUE(closeAndReadBack()) << round;
  }
}

TEST_F(SettingsBadInput, NulBytesHideNothingAndAreKeptOnWrite) {
  const std::string tail = "\r\n\0behind\0\r\n"s;
  put(file, "\0\0\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLGLOCALLASTDIR]/a\0b\r\n<LIST>"s + tail +
                "{SECT_GLOBAL}\r\n<KEY>\r\n<LIST>\r\n");
  SettingsFile settings;
  ASSERT_TRUE(settings.openOrCreate());
  std::string path;
  ASSERT_TRUE(settings.readLocalLastFolder(path));
  EXPECT_EQ(path, "/a") << "a value ends at a NUL";
  ASSERT_TRUE(settings.writeDialogFlags(0));
  settings.close();
  EXPECT_EQ(get(file), "\0\0\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLGLOCALLASTDIR]/a\0b\r\n"
                       "[KEY_DLG_BOOLS]0\r\n<LIST>"s +
                           tail + "{SECT_GLOBAL}\r\n<KEY>\r\n<LIST>\r\n");
}

TEST_F(SettingsBadInput, NonUtf8BytesPassThrough) {
  put(file,
      "\xFF\xFE{\xE9}\r\n\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLGREMOTELASTDIR]/d\xE9j\xE0\r\n"
      "<LIST>\r\n\r\n\r\n{SECT_GLOBAL}\r\n<KEY>\r\n<LIST>\r\n");
  SettingsFile settings;
  ASSERT_TRUE(settings.openOrCreate());
  std::string path;
  ASSERT_TRUE(settings.readRemoteLastFolder(path));
  EXPECT_EQ(path, "/d\xE9j\xE0");
  ASSERT_TRUE(settings.writeRemoteLastFolder("/\x80\x81"));
  ASSERT_TRUE(settings.readRemoteLastFolder(path));
  EXPECT_EQ(path, "/\x80\x81");
}

TEST_F(SettingsBadInput, ManyBraceLinesAreHandled) {
  std::string bytes;
  bytes.reserve(5u << 20);
  while (bytes.size() < (5u << 20))
    bytes += "{SECT_MAIN \r\n{junk}\r\n";
  put(file, bytes);
  Start s = start();
  ASSERT_TRUE(s.opened);
  EXPECT_TRUE(isDefault(s));
  EXPECT_TRUE(closeAndReadBack());
  EXPECT_EQ(std::filesystem::file_size(setting(file)),
            bytes.size() + kSections.size() + 78u); // the three key lines
}

TEST_F(SettingsBadInput, AHundredMegabyteLineBehindTheHeaderIsReadWhole) {
  std::string bytes = "{SECT_MAIN}\r\n" + std::string(100u << 20, 'x');
  put(file, bytes);
  Start s = start();
  ASSERT_TRUE(s.opened);
  EXPECT_TRUE(isDefault(s));
  EXPECT_TRUE(closeAndReadBack());
}

TEST_F(SettingsBadInput, WithoutTheSettingFolderReadsYieldDefaultsAndWritesAreDropped) {
  dropSettingFolder();
  Start s = start();
  EXPECT_FALSE(s.opened);
  EXPECT_TRUE(isDefault(s));
  SettingsFile settings;
  EXPECT_FALSE(settings.openExisting());
  EXPECT_FALSE(settings.writeDialogFlags(0));
  EXPECT_FALSE(settings.writeLocalLastFolder("/x"));
  std::string path = "x";
  EXPECT_FALSE(settings.readLocalLastFolder(path));
  EXPECT_EQ(path, "");
  EXPECT_FALSE(std::filesystem::exists(dir.file("Setting")));
}

TEST_F(SettingsBadInput, ADirectoryInPlaceOfTheFileIsNotOpened) {
  std::filesystem::create_directory(setting(file));
  EXPECT_FALSE(start().opened);
  SettingsFile settings;
  EXPECT_FALSE(settings.openExisting());
}
