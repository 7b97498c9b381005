#include "setting_folder.h"
#include "storage/remote_project_store.h"

#include <gtest/gtest.h>
#include <string>

using namespace linkmoor;
using namespace std::string_literals;

namespace {
class RemoteStoreTest : public linkmoor::test::SettingFolderTest {
protected:
  static std::unique_ptr<RemoteProject> shop() {
    auto p = std::make_unique<RemoteProject>();
    p->projectName = "Shop";
    p->downloadPath = "/mirror";
    p->subdomainPath = "/www/";
    p->subdomainName = "shop.example";
    p->host = "ftp.example";
    p->port = 2121;
    p->userName = "ann";
    p->password = "s3cret";
    p->passive = 1;
    p->savePassword = 1;
    p->addProjectNameToDownload = 0;
    p->clearDownloadDirectory = 1;
    return p;
  }
  // The bytes of shop() as the file holds them, written out by hand.
  const std::string shopBytes = "Shop\xB6"
                                "/mirror\xB6"
                                "/www/\xB6"
                                "shop.example\xB6"
                                "ftp.example\xB6"
                                "2121\xB6"
                                "ann\xB6"
                                "s3cret\xB6"
                                "1\xB6"
                                "1\xB6"
                                "0\xB6"
                                "1\xB6"
                                "\xA5";
  const std::string file = "SettingRemote.data";
};
} // namespace

TEST_F(RemoteStoreTest, ARecordIsTwelveFieldsInOrder) {
  RemoteProjectStore store;
  store.append(shop());
  store.setSelectedIndex(0);
  ASSERT_TRUE(store.save());
  EXPECT_EQ(get(file), "\x00\x00\x00\x00"s + shopBytes);
  EXPECT_EQ(modeOf(setting(file)), 0600);
  EXPECT_EQ(store.filePath(), setting(file));
}

TEST_F(RemoteStoreTest, ANewRecordHasTheDefaults) {
  RemoteProject p;
  EXPECT_EQ(RemoteProjectStore::recordBytes(p), "\xB6\xB6\xB6\xB6\xB6"
                                                "21\xB6\xB6\xB6"
                                                "0\xB6"
                                                "1\xB6"
                                                "1\xB6"
                                                "0\xB6\xA5"s);
}

TEST_F(RemoteStoreTest, LoadsEveryField) {
  put(file, "\x01\x00\x00\x00"s + shopBytes + shopBytes);
  RemoteProjectStore store;
  ASSERT_TRUE(store.load());
  ASSERT_EQ(store.count(), 2);
  EXPECT_EQ(store.selectedIndex(), 1);
  const RemoteProject &p = *store.get(1);
  EXPECT_EQ(RemoteProjectStore::recordBytes(p), shopBytes);
  EXPECT_EQ(p.port, 2121);
  EXPECT_EQ(p.password, "s3cret");
  EXPECT_EQ(p.clearDownloadDirectory, 1);
}

TEST_F(RemoteStoreTest, ARecordEndingAfterTheHostKeepsTheDefaults) {
  put(file, "\x00\x00\x00\x00"
            "P\xB6"
            "D\xB6"
            "/s/\xB6"
            "n\xB6"
            "h\xB6\xA5"s);
  RemoteProjectStore store;
  ASSERT_TRUE(store.load());
  ASSERT_EQ(store.count(), 1);
  const RemoteProject &p = *store.get(0);
  EXPECT_EQ(p.host, "h");
  EXPECT_EQ(p.port, 21);
  EXPECT_EQ(p.userName, "");
  EXPECT_EQ(p.password, "");
  EXPECT_EQ(p.passive, 0);
  EXPECT_EQ(p.savePassword, 1);
  EXPECT_EQ(p.addProjectNameToDownload, 1);
  EXPECT_EQ(p.clearDownloadDirectory, 0);
}

TEST_F(RemoteStoreTest, NumbersReadAsAtoiAndFlagsKeepTheirLow8Bits) {
  put(file, "\x00\x00\x00\x00"
            "P\xB6\xB6\xB6\xB6"
            "h\xB6"
            "  +8021x\xB6"
            "u\xB6"
            "p\xB6"
            "257\xB6"
            "-1\xB6"
            "abc\xB6"
            "2\xB6\xA5"s);
  RemoteProjectStore store;
  ASSERT_TRUE(store.load());
  const RemoteProject &p = *store.get(0);
  EXPECT_EQ(p.port, 8021);
  EXPECT_EQ(p.passive, 1);
  EXPECT_EQ(p.savePassword, 255);
  EXPECT_EQ(p.addProjectNameToDownload, 0);
  EXPECT_EQ(p.clearDownloadDirectory, 2);
  EXPECT_EQ(p.password, "p") << "save password is not 0";
}

TEST_F(RemoteStoreTest, GetEmptiesAPasswordThatIsNotToBeSaved) {
  RemoteProjectStore store;
  auto p = shop();
  p->savePassword = 0;
  store.append(std::move(p));
  EXPECT_EQ(store.at(0)->password, "s3cret");
  EXPECT_EQ(store.get(0)->password, "");
  EXPECT_EQ(store.at(0)->password, "") << "the record in the list is changed";
  ASSERT_TRUE(store.save());
  std::string bytes = get(file);
  EXPECT_EQ(bytes.find("s3cret"), std::string::npos);
  EXPECT_NE(bytes.find("ann\xB6\xB6"
                       "1\xB6"
                       "0\xB6"),
            std::string::npos);
}

TEST_F(RemoteStoreTest, DownloadFolderAddsTheProjectNameWhenAsked) {
  RemoteProject p;
  p.projectName = "Shop";
  p.downloadPath = "C:/mirror";
  p.addProjectNameToDownload = 1;
  EXPECT_EQ(p.downloadFolder(), "C:/mirror/Shop");
  p.addProjectNameToDownload = 0;
  EXPECT_EQ(p.downloadFolder(), "C:/mirror");
}

TEST_F(RemoteStoreTest, NormaliseTouchesTheDownloadPathAndTheHostOnly) {
  RemoteProject p;
  p.downloadPath = "C:\\mirror\\";
  p.host = "ftp.example//";
  p.subdomainPath = "/www/";
  p.normalise();
  EXPECT_EQ(p.downloadPath, "C:/mirror");
  EXPECT_EQ(p.host, "ftp.example");
  EXPECT_EQ(p.subdomainPath, "/www/");
}

TEST_F(RemoteStoreTest, ChangeSelectedRewritesOneFieldOfTheSelectedRecord) {
  auto other = RemoteProject();
  other.projectName = "Other";
  const std::string otherBytes = RemoteProjectStore::recordBytes(other);
  put(file, "\x01\x00\x00\x00"s + otherBytes + shopBytes);
  RemoteProjectStore store;
  ASSERT_TRUE(store.changeSelected(RemoteField::SubdomainName, "new.example"));
  std::string expected = shopBytes;
  expected.replace(expected.find("shop.example"), 12, "new.example");
  EXPECT_EQ(get(file), "\x01\x00\x00\x00"s + otherBytes + expected);

  RemoteProjectStore second;
  ASSERT_TRUE(second.changeSelected(RemoteField::SubdomainPath, "/"));
  expected.replace(expected.find("/www/"), 5, "/");
  EXPECT_EQ(get(file), "\x01\x00\x00\x00"s + otherBytes + expected);
}

TEST_F(RemoteStoreTest, ChangeSelectedNeedsALoadedListWithASelection) {
  RemoteProjectStore missing;
  EXPECT_FALSE(missing.changeSelected(RemoteField::SubdomainName, "x"));
  EXPECT_EQ(get(file), "") << "the missing file was created empty";
  put(file, "\xFF\xFF\xFF\xFF"s);
  RemoteProjectStore empty;
  EXPECT_FALSE(empty.changeSelected(RemoteField::SubdomainName, "x"));
  EXPECT_EQ(get(file), "\xFF\xFF\xFF\xFF"s);
  dropSettingFolder();
  RemoteProjectStore noFolder;
  EXPECT_FALSE(noFolder.changeSelected(RemoteField::SubdomainPath, "/"));
}

TEST_F(RemoteStoreTest, TextFieldsAreKeptByteForByte) {
  RemoteProjectStore store;
  auto p = shop();
  p->projectName = "\xE9t\xE9";        // Latin-1, not UTF-8
  p->password = "p\x01w\xFF=;\"'\r\n"; // control bytes and quotes pass unchanged
  store.append(std::move(p));
  ASSERT_TRUE(store.save());
  RemoteProjectStore loaded;
  ASSERT_TRUE(loaded.load());
  EXPECT_EQ(loaded.get(0)->projectName, "\xE9t\xE9");
  EXPECT_EQ(loaded.get(0)->password, "p\x01w\xFF=;\"'\r\n");
}
