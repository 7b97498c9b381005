#include "cli/check_options.h"

#include <gtest/gtest.h>

using linkmoor::cli::parseCheckOptions;

TEST(CheckOptions, RootFilesAndFlags) {
  auto r = parseCheckOptions({"--json", "--no-internet", "site/", "a.htm", "sub/b.html"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.root, "site");
  EXPECT_EQ(r.options.files, (std::vector<std::string>{"a.htm", "sub/b.html"}));
  EXPECT_TRUE(r.options.json);
  EXPECT_TRUE(r.options.noInternet);
  EXPECT_EQ(r.options.jobs, 16);
  EXPECT_EQ(r.options.timeoutSeconds, 60);
}

TEST(CheckOptions, RemoteSiteJobsAndTimeout) {
  auto r = parseCheckOptions({"--remote-site", "www.example.org", "--subdomain-path", "/www",
                              "--jobs", "4", "--timeout", "5", "/mirror"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.options.remoteSite, "www.example.org");
  EXPECT_EQ(r.options.subdomainPath, "/www");
  EXPECT_EQ(r.options.jobs, 4);
  EXPECT_EQ(r.options.timeoutSeconds, 5);
  EXPECT_EQ(r.options.root, "/mirror");
}

TEST(CheckOptions, RootSlashStaysRoot) {
  auto r = parseCheckOptions({"/"});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.options.root, "/");
}

TEST(CheckOptions, BadUsageGivesAMessage) {
  for (const auto &args :
       std::vector<std::vector<std::string>>{{},
                                             {"--jobs"},
                                             {"--jobs", "0", "site"},
                                             {"--jobs", "x", "site"},
                                             {"--jobs", "1000", "site"},
                                             {"--timeout", "-3", "site"},
                                             {"--frobnicate", "site"},
                                             {"--remote-site"},
                                             {"--subdomain-path", "/www", "site"}}) {
    auto r = parseCheckOptions(args);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.empty());
  }
}

TEST(CheckOptions, HelpAndVersionNeedNoRoot) {
  EXPECT_TRUE(parseCheckOptions({"--help"}).options.help);
  EXPECT_TRUE(parseCheckOptions({"--version"}).ok);
}

TEST(CheckOptions, DoubleDashEndsOptions) {
  auto r = parseCheckOptions({"--", "--site", "-x.htm"});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.options.root, "--site");
  EXPECT_EQ(r.options.files, (std::vector<std::string>{"-x.htm"}));
}

TEST(CheckOptions, TimeoutOfMoreThanADayIsRefusedWithAMessage) {
  auto day = parseCheckOptions({"--timeout", "86400", "site"});
  ASSERT_TRUE(day.ok);
  EXPECT_EQ(day.options.timeoutSeconds, 86400);
  // 429497 s is where the library's millisecond count overflows; five times far less does.
  for (const char *value : {"86401", "429497", "9999999999", "99999999999999999999999"}) {
    auto r = parseCheckOptions({"--timeout", value, "site"});
    EXPECT_FALSE(r.ok) << value;
    EXPECT_NE(r.error.find("--timeout"), std::string::npos) << r.error;
  }
  EXPECT_NE(parseCheckOptions({"--timeout", "86401", "site"}).error.find("86400"),
            std::string::npos);
}
