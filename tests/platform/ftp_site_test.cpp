// FtpSite against a real pyftpdlib server on 127.0.0.1: login, passive and active
// transfers, byte counts, ASCII downloads, binary uploads, listings, a server that
// goes away and comes back, and one that never answers.
#include "platform/ftp_site.h"
#include "support/ftp_test_server.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace linkmoor {
namespace {

using test::PyFtpServer;
using test::TempDir;

class FtpSiteTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directories(served());
    std::filesystem::create_directories(mirror());
  }
  std::string served() const { return dir_.path() + "/served"; }
  std::string mirror() const { return dir_.path() + "/mirror"; }
  void startServer(bool mlsd = true) { server_ = std::make_unique<PyFtpServer>(served(), mlsd); }
  FtpLogin login(bool passive = true) const {
    FtpLogin login;
    login.host = "127.0.0.1";
    login.port = server_->port();
    login.userName = "tester";
    login.password = "secret";
    login.passive = passive;
    return login;
  }
  std::vector<std::string> names(const FtpListing &listing, bool folders) const {
    std::vector<std::string> out;
    for (const FtpEntry &entry : listing.entries)
      if (entry.isDirectory == folders) out.push_back(entry.name);
    std::sort(out.begin(), out.end());
    return out;
  }

  TempDir dir_;
  std::unique_ptr<PyFtpServer> server_;
  FtpSite site_;
};

TEST_F(FtpSiteTest, RightLoginConnectsAndWrongLoginFails) {
  startServer();
  FtpLogin wrong = login();
  wrong.password = "wrong";
  EXPECT_FALSE(site_.connect(wrong));
  EXPECT_FALSE(site_.isConnected());
  ASSERT_TRUE(site_.connect(login()));
  EXPECT_TRUE(site_.isConnected());
  EXPECT_TRUE(site_.isConnected()); // asked again on the same connection
  std::string folder;
  ASSERT_TRUE(site_.currentFolder(folder));
  EXPECT_EQ(folder, "/");
  site_.close();
  EXPECT_FALSE(site_.isConnected());
}

TEST_F(FtpSiteTest, HostAsFtpUrlWithItsOwnPortWinsOverThePortField) {
  startServer();
  FtpLogin byUrl = login();
  byUrl.host = "ftp://127.0.0.1:" + std::to_string(server_->port()) + "/";
  byUrl.port = test::freeLocalPort(); // nothing listens there
  EXPECT_TRUE(site_.connect(byUrl));
}

TEST_F(FtpSiteTest, ThousandBytesInPassiveAndActiveMode) {
  const std::string thousand(1000, 'x');
  dir_.write("served/page.htm", thousand);
  startServer();
  for (bool passive : {true, false}) {
    ASSERT_TRUE(site_.connect(login(passive))) << passive;
    std::string result;
    EXPECT_TRUE(site_.downloadFile(mirror(), "page.htm", result)) << passive;
    EXPECT_EQ(result, "1000");
    EXPECT_EQ(dir_.read("mirror/page.htm"), thousand);
    std::filesystem::remove(mirror() + "/page.htm");
  }
}

TEST_F(FtpSiteTest, AsciiDownloadTurnsCrLfIntoLineFeedsAndMakesTheFolders) {
  dir_.write("served/a/b/page.htm", "<p>\r\none\r\ntwo\r\n");
  startServer();
  ASSERT_TRUE(site_.connect(login()));
  std::string result;
  std::vector<std::string> shown;
  ASSERT_TRUE(site_.downloadFile(mirror(), "a/b/page.htm", result,
                                 [&](const std::string &action, const std::string &item) {
                                   shown = {action, item};
                                 }));
  EXPECT_EQ(dir_.read("mirror/a/b/page.htm"), "<p>\none\ntwo\n");
  EXPECT_EQ(result, "12");
  EXPECT_EQ(shown, (std::vector<std::string>{"Downloading file", "a/b/page.htm"}));
  // No temporary file is left beside it.
  int files = 0;
  for (auto &entry : std::filesystem::directory_iterator(mirror() + "/a/b")) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 1);
}

TEST_F(FtpSiteTest, MissingRemoteFileLeavesAnEmptyLocalFile) {
  dir_.write("mirror/gone.htm", "old content");
  startServer();
  ASSERT_TRUE(site_.connect(login()));
  std::string result;
  EXPECT_FALSE(site_.downloadFile(mirror(), "gone.htm", result));
  EXPECT_EQ(result, "open file");
  EXPECT_TRUE(std::filesystem::exists(mirror() + "/gone.htm"));
  EXPECT_EQ(std::filesystem::file_size(mirror() + "/gone.htm"), 0u);
}

TEST_F(FtpSiteTest, LocalFileThatCannotBeMadeIsCreateFileAndBadFolderIsCreateDir) {
  dir_.write("served/x.htm", "x");
  dir_.write("mirror/file", "not a folder");
  std::filesystem::create_directories(mirror() + "/x.htm"); // a folder in the file's place
  startServer();
  ASSERT_TRUE(site_.connect(login()));
  std::string result;
  EXPECT_FALSE(site_.downloadFile(mirror(), "x.htm", result));
  EXPECT_EQ(result, "create file");
  EXPECT_FALSE(site_.downloadFile(mirror(), "file/x.htm", result));
  EXPECT_EQ(result, "create file");
  EXPECT_FALSE(site_.downloadFile(mirror(), "../escape/x.htm", result));
  EXPECT_EQ(result, "create dir");
  EXPECT_FALSE(std::filesystem::exists(dir_.path() + "/escape"));
}

TEST_F(FtpSiteTest, UploadsAreByteExact) {
  startServer();
  ASSERT_TRUE(site_.connect(login(false)));
  std::string result = "stale";
  EXPECT_TRUE(site_.uploadText("", "empty.htm", result));
  EXPECT_EQ(result, "");
  EXPECT_TRUE(std::filesystem::exists(served() + "/empty.htm"));
  EXPECT_EQ(std::filesystem::file_size(served() + "/empty.htm"), 0u);
  std::string text;
  for (int i = 0; text.size() < 2500; ++i)
    text += static_cast<char>(i % 7 == 0 ? '\n' : (i % 11 == 0 ? '\r' : 'a' + i % 26));
  text.resize(2500);
  ASSERT_TRUE(site_.connect(login(true)));
  EXPECT_TRUE(site_.uploadText(text, "big.htm", result));
  EXPECT_EQ(dir_.read("served/big.htm"), text);
}

TEST_F(FtpSiteTest, UploadIntoAMissingFolderIsOpenFile) {
  startServer();
  ASSERT_TRUE(site_.connect(login()));
  std::string result;
  EXPECT_FALSE(site_.uploadText("x", "no/such/folder.htm", result));
  EXPECT_EQ(result, "open file");
}

TEST_F(FtpSiteTest, ListingsWithMlsdAndWithList) {
  std::filesystem::create_directories(served() + "/empty");
  std::filesystem::create_directories(served() + "/with blank");
  dir_.write("served/a page.htm", "1");
  dir_.write("served/caf\xc3\xa9.htm", "2");
  dir_.write("served/raw\xe9.htm", "3");
  dir_.write("served/bell\x07.htm", "4");
  for (bool mlsd : {true, false}) {
    startServer(mlsd);
    ASSERT_TRUE(site_.connect(login()));
    FtpListing listing;
    ASSERT_TRUE(site_.listFolder("", listing)) << mlsd;
    EXPECT_EQ(names(listing, true), (std::vector<std::string>{"empty", "with blank"})) << mlsd;
    EXPECT_EQ(names(listing, false),
              (std::vector<std::string>{"a page.htm", "caf\xc3\xa9.htm", "raw\xe9.htm"}))
        << mlsd;
    EXPECT_EQ(listing.refused, 1) << mlsd;
    ASSERT_TRUE(site_.listFolder("empty", listing));
    EXPECT_TRUE(listing.entries.empty());
    ASSERT_TRUE(site_.listFolder("/with blank", listing));
    EXPECT_TRUE(listing.entries.empty());
    EXPECT_FALSE(site_.listFolder("missing", listing));
    server_.reset();
  }
}

TEST_F(FtpSiteTest, ServerRestartedBetweenTwoOperationsCountsAsDisconnected) {
  dir_.write("served/page.htm", "abc");
  startServer();
  ASSERT_TRUE(site_.connect(login()));
  ASSERT_TRUE(site_.isConnected());
  server_->stop();
  ASSERT_TRUE(server_->start());
  EXPECT_FALSE(site_.isConnected());
  EXPECT_FALSE(site_.isConnected()); // stays lost until connected again
  int asked = 0;
  EXPECT_FALSE(site_.reconnect([&](const std::string &question) {
    ++asked;
    EXPECT_EQ(question, "FTP is disconnected,\ndo you want to re-connect?\n");
    return false;
  }));
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(site_.isConnected());
  EXPECT_TRUE(site_.reconnect([&](const std::string &) { return ++asked > 0; }));
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(site_.isConnected());
  std::string result;
  EXPECT_TRUE(site_.downloadFile(mirror(), "page.htm", result));
  EXPECT_EQ(result, "3");
}

TEST_F(FtpSiteTest, StoppedServerIsNotConnectedAndReconnectWithoutAskingFails) {
  startServer();
  ASSERT_TRUE(site_.connect(login()));
  server_->stop();
  EXPECT_FALSE(site_.isConnected());
  EXPECT_FALSE(site_.reconnect());
}

TEST_F(FtpSiteTest, SilentServerEndsWithinTheConnectTimeOut) {
  test::SilentListener silent;
  FtpTimeouts quick;
  quick.connectMs = 300;
  quick.responseMs = 300;
  quick.stalledMs = 300;
  site_.setTimeouts(quick);
  FtpLogin login;
  login.host = "127.0.0.1";
  login.port = silent.port();
  login.userName = "tester";
  login.password = "secret";
  EXPECT_FALSE(site_.connect(login));
  EXPECT_EQ(silent.accepted(), 1);
  EXPECT_EQ(site_.lastCurlCode(), 28); // timed out, not refused
}

} // namespace
} // namespace linkmoor
