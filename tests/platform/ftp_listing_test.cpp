// Reading server listings and addresses without a server: MLSD and LIST lines, the
// names that are refused, and the forms of the "Host/IP/URL" field.
#include "platform/ftp_address.h"
#include "platform/ftp_listing.h"

#include <gtest/gtest.h>

namespace linkmoor {
namespace {

TEST(FtpListingTest, MlsdKeepsFilesAndFoldersInTheServersOrder) {
  const FtpListing listing =
      parseMlsdListing("type=cdir;perm=el; .\r\ntype=pdir;perm=el; ..\r\n"
                       "type=file;size=3;modify=20240101000000; b page.htm\r\n"
                       "Type=Dir;modify=20240101000000; a;b\r\n"
                       "type=OS.unix=slink:/x;size=1; link\r\n"
                       "type=file;size=1;  two blanks\r\n");
  ASSERT_EQ(listing.entries.size(), 3u);
  EXPECT_EQ(listing.entries[0].name, "b page.htm");
  EXPECT_FALSE(listing.entries[0].isDirectory);
  EXPECT_EQ(listing.entries[1].name, "a;b");
  EXPECT_TRUE(listing.entries[1].isDirectory);
  EXPECT_EQ(listing.entries[2].name, " two blanks");
  EXPECT_EQ(listing.refused, 0);
}

TEST(FtpListingTest, HostileNamesAreRefusedAndTheRestKept) {
  std::string text = "type=dir; ..\r\ntype=file; ../x\r\ntype=file; a/b\r\n"
                     "type=file; tab\there\r\ntype=file; del\x7f\r\ntype=file; .\r\n"
                     "type=file; ok.htm\r\n";
  text += std::string("type=file; nul") + '\0' + "byte\r\n";
  const FtpListing listing = parseMlsdListing(text);
  ASSERT_EQ(listing.entries.size(), 1u);
  EXPECT_EQ(listing.entries[0].name, "ok.htm");
  EXPECT_EQ(listing.refused, 7);
  // A pdir/cdir entry is no name at all, but a "dir" named ".." is refused.
  EXPECT_FALSE(isSafeFtpName(".."));
  EXPECT_FALSE(isSafeFtpName(""));
  EXPECT_TRUE(isSafeFtpName("..."));
  EXPECT_TRUE(isSafeFtpName("caf\xe9"));
}

TEST(FtpListingTest, ListInUnixAndDosForms) {
  const FtpListing unix = parseListListing(
      "total 8\r\n"
      "drwxr-xr-x    2 owner    group        4096 Jan 01 12:00 sub folder\r\n"
      "-rw-r--r--    1 owner    group          12 Mar 03  2023 index.htm\r\n"
      "lrwxrwxrwx    1 owner    group           4 Mar 03  2023 link.htm -> index.htm\r\n"
      "drwxr-xr-x    2 owner    group        4096 Jan 01 12:00 ..\r\n");
  ASSERT_EQ(unix.entries.size(), 3u);
  EXPECT_EQ(unix.entries[0].name, "sub folder");
  EXPECT_TRUE(unix.entries[0].isDirectory);
  EXPECT_EQ(unix.entries[1].name, "index.htm");
  EXPECT_EQ(unix.entries[2].name, "link.htm");
  EXPECT_FALSE(unix.entries[2].isDirectory);
  EXPECT_EQ(unix.refused, 1);
  const FtpListing dos = parseListListing("01-31-24  10:00AM       <DIR>          www\r\n"
                                          "01-31-24  10:00AM                  345 a b.htm\r\n");
  ASSERT_EQ(dos.entries.size(), 2u);
  EXPECT_TRUE(dos.entries[0].isDirectory);
  EXPECT_EQ(dos.entries[1].name, "a b.htm");
}

TEST(FtpAddressTest, SchemesAndPorts) {
  FtpAddress a = parseFtpAddress("  ftp.example.org ", 2121);
  EXPECT_EQ(a.protocol, FtpProtocol::Plain);
  EXPECT_EQ(a.host, "ftp.example.org");
  EXPECT_EQ(a.port, 2121);
  EXPECT_EQ(a.baseUrl(), "ftp://ftp.example.org:2121");
  a = parseFtpAddress("FTP://user@host:990/www/", 21);
  EXPECT_EQ(a.protocol, FtpProtocol::Plain);
  EXPECT_EQ(a.host, "host");
  EXPECT_EQ(a.port, 990);
  a = parseFtpAddress("ftps://secure.example.org", 21);
  EXPECT_EQ(a.protocol, FtpProtocol::ExplicitTls);
  EXPECT_EQ(a.port, 21);
  a = parseFtpAddress("sftp://box", 21);
  EXPECT_EQ(a.protocol, FtpProtocol::Sftp);
  EXPECT_EQ(a.port, 22);
  EXPECT_EQ(a.baseUrl(), "sftp://box:22");
  a = parseFtpAddress("sftp://box:2222", 21);
  EXPECT_EQ(a.port, 2222);
  a = parseFtpAddress("[::1]:2100", 21);
  EXPECT_EQ(a.host, "[::1]");
  EXPECT_EQ(a.port, 2100);
  a = parseFtpAddress("host:notaport", 21);
  EXPECT_EQ(a.port, 21);
}

} // namespace
} // namespace linkmoor
