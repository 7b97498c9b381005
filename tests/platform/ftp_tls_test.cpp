// FtpSite over explicit TLS against vsftpd on 127.0.0.1, which forces TLS for login
// and data: a trusted certificate connects and transfers, an untrusted one is a
// failed connection and never a plain one.
#include "platform/ftp_site.h"
#include "support/ftp_test_server.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace linkmoor {
namespace {

class FtpTlsTest : public ::testing::Test {
protected:
  void SetUp() override {
    const std::string reason = test::VsftpdServer::unavailableReason();
    if (!reason.empty()) GTEST_SKIP() << "skipped: " << reason;
    server_ = std::make_unique<test::VsftpdServer>(dir_.path());
  }
  FtpLogin login(const std::string &scheme, bool passive = true) const {
    FtpLogin login;
    login.host = scheme + "localhost";
    login.port = server_->port();
    login.userName = server_->user();
    login.password = server_->password();
    login.passive = passive;
    return login;
  }

  test::TempDir dir_;
  std::unique_ptr<test::VsftpdServer> server_;
  FtpSite site_;
};

TEST_F(FtpTlsTest, TrustedCertificateConnectsDownloadsAndUploads) {
  site_.setCaFile(server_->certificate());
  ASSERT_TRUE(site_.connect(login("ftps://"))) << site_.lastCurlCode();
  EXPECT_TRUE(site_.isConnected());
  std::string result;
  ASSERT_TRUE(site_.uploadText("<p>\r\nsecret page\r\n", "page.htm", result)) << result;
  FtpListing listing;
  ASSERT_TRUE(site_.listFolder("", listing));
  ASSERT_EQ(listing.entries.size(), 1u);
  EXPECT_EQ(listing.entries[0].name, "page.htm");
  const std::string mirror = dir_.path() + "/mirror";
  std::filesystem::create_directories(mirror);
  ASSERT_TRUE(site_.downloadFile(mirror, "page.htm", result));
  EXPECT_EQ(dir_.read("mirror/page.htm"), "<p>\nsecret page\n");
  EXPECT_EQ(result, "16");
}

TEST_F(FtpTlsTest, UntrustedCertificateIsAFailedConnection) {
  // Without the test's certificate only the system's store counts, which does not
  // know it.
  EXPECT_FALSE(site_.connect(login("ftps://")));
  EXPECT_EQ(site_.lastCurlCode(), 60);
  EXPECT_FALSE(site_.isConnected());
}

TEST_F(FtpTlsTest, PlainFtpIsRefusedByTheServer) { EXPECT_FALSE(site_.connect(login(""))); }

} // namespace
} // namespace linkmoor
