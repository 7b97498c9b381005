// The settings file is replaced whole: a failed write leaves it as it was, and a
// key line added behind a last line that ends in a lone LF is found again.

#include "setting_folder.h"
#include "storage/settings_file.h"

#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

using namespace linkmoor;

namespace {

const std::string kFresh = "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n<LIST>\r\n"
                           "\r\n\r\n{SECT_GLOBAL}\r\n<KEY>\r\n<LIST>\r\n";

class SettingsSave : public test::SettingFolderTest {};

} // namespace

TEST_F(SettingsSave, AWriteThatFailsOnAFullDiskLeavesTheFileWhole) {
  put("Linkmoor.set", kFresh);
  const std::string before = get("Linkmoor.set");
  // A file size limit makes the write fail part way, as a full disk does.
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 1024;
  bool written = true;
  {
    SettingsFile settings;
    ASSERT_TRUE(settings.openExisting());
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    written = settings.writeLocalLastFolder(std::string(2000, 'p'));
    setrlimit(RLIMIT_FSIZE, &saved);
  }
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(written);
  EXPECT_EQ(get("Linkmoor.set"), before) << "<LIST> and the second section are kept";
  EXPECT_EQ(settingNames(), std::vector<std::string>{"Linkmoor.set"});
}

TEST_F(SettingsSave, WritesKeepTheBytesAndTheModeOfTheFile) {
  {
    SettingsFile settings;
    ASSERT_TRUE(settings.openOrCreate());
    EXPECT_TRUE(settings.writeDialogFlags(1));
    EXPECT_TRUE(settings.writeLocalLastFolder("/srv/www"));
    EXPECT_TRUE(settings.writeDialogFlags(0));
    std::string value;
    EXPECT_TRUE(settings.readLocalLastFolder(value));
    EXPECT_EQ(value, "/srv/www");
  }
  EXPECT_EQ(get("Linkmoor.set"), "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLG_BOOLS]0\r\n"
                                 "[KEY_DLGLOCALLASTDIR]/srv/www\r\n<LIST>\r\n"
                                 "\r\n\r\n{SECT_GLOBAL}\r\n<KEY>\r\n<LIST>\r\n");
  EXPECT_EQ(modeOf(setting("Linkmoor.set")), 0600);
  EXPECT_EQ(settingNames(), std::vector<std::string>{"Linkmoor.set"});
}

TEST_F(SettingsSave, AKeyAddedBehindAFinalLoneLineFeedIsKept) {
  put("Linkmoor.set", "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLG_BOOLS]1\n");
  {
    SettingsFile settings;
    ASSERT_TRUE(settings.openExisting());
    EXPECT_TRUE(settings.writeLocalLastFolder("/srv/www"));
  }
  SettingsFile settings;
  ASSERT_TRUE(settings.openExisting());
  std::string value;
  EXPECT_TRUE(settings.readLocalLastFolder(value));
  EXPECT_EQ(value, "/srv/www");
  EXPECT_EQ(
      get("Linkmoor.set"),
      "\r\n\r\n{SECT_MAIN}\r\n<KEY>\r\n[KEY_DLG_BOOLS]1\n\r\n[KEY_DLGLOCALLASTDIR]/srv/www\r\n");
}
