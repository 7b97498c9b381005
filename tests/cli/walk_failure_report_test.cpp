// linkmoor-check run as a program over real folders: what the walk cannot read is
// reported on stderr and as "open" rows, and makes the exit status 1.

#include "checker_process.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using linkmoor::test::checkerPath;
using linkmoor::test::CheckerRun;
using linkmoor::test::runChecker;
using linkmoor::test::TempDir;

namespace {

// linkmoor-check without internet over `args`.
CheckerRun runOffline(std::vector<std::string> args, const TempDir &scratch) {
  args.insert(args.begin(), "--no-internet");
  return runChecker(args, scratch);
}

const char kCleanPage[] = "<html><body>\n<p>fine</p>\n</body></html>\n";

class WalkFailureReport : public ::testing::Test {
protected:
  void SetUp() override {
    if (!std::filesystem::exists(checkerPath())) GTEST_SKIP() << "linkmoor-check is not built";
  }
  TempDir site, scratch;
};

} // namespace

TEST_F(WalkFailureReport, AFolderThatCannotBeReadGivesAnOpenRowAndStatusOne) {
  if (geteuid() == 0) GTEST_SKIP() << "Skipped: root reads every folder";
  site.write("ok.htm", kCleanPage);
  site.write("locked/p.htm", kCleanPage);
  chmod(site.file("locked").c_str(), 0);
  CheckerRun text = runOffline({site.path()}, scratch);
  CheckerRun json = runOffline({"--json", site.path()}, scratch);
  chmod(site.file("locked").c_str(), 0700);
  EXPECT_EQ(text.status, 1) << text.out << text.err;
  EXPECT_NE(text.out.find("locked\n    open ("), std::string::npos) << text.out;
  EXPECT_NE(text.err.find("cannot read " + site.path() + "/locked"), std::string::npos) << text.err;
  EXPECT_NE(text.out.find("1 unreadable"), std::string::npos) << text.out;
  EXPECT_EQ(json.status, 1);
  std::istringstream lines(json.out);
  bool found = false;
  for (std::string line; std::getline(lines, line);) {
    auto j = nlohmann::json::parse(line);
    if (j["file"] == "locked") found = j["sizeText"] == "open";
  }
  EXPECT_TRUE(found) << json.out;
}

TEST_F(WalkFailureReport, EntriesOfAFolderThatCannotBeSearchedAreReported) {
  if (geteuid() == 0) GTEST_SKIP() << "Skipped: root searches every folder";
  site.write("half/p.htm", kCleanPage);
  chmod(site.file("half").c_str(), 0400);
  CheckerRun text = runOffline({site.path()}, scratch);
  chmod(site.file("half").c_str(), 0700);
  EXPECT_EQ(text.status, 1) << text.out << text.err;
  EXPECT_NE(text.out.find("half/p.htm\n    open ("), std::string::npos) << text.out;
  EXPECT_NE(text.err.find("half/p.htm"), std::string::npos) << text.err;
}

TEST_F(WalkFailureReport, ANewlineInANameCannotForgeALine) {
  site.write("a\nb.htm", kCleanPage);
  CheckerRun text = runOffline({site.path()}, scratch);
  EXPECT_EQ(text.status, 0) << text.out << text.err;
  EXPECT_EQ(text.out.rfind("a\\x0Ab.htm\n", 0), 0u) << text.out;
}

TEST_F(WalkFailureReport, LinkedFoldersArePagesOnceAndLoopsEnd) {
  site.write("real/a.htm", kCleanPage);
  std::filesystem::create_directory_symlink("real", site.file("alias"));
  std::filesystem::create_directory_symlink("..", site.file("real/back"));
  std::filesystem::create_symlink("gone.htm", site.file("dangling.htm"));
  CheckerRun text = runOffline({site.path()}, scratch);
  EXPECT_EQ(text.status, 1) << text.out;
  EXPECT_NE(text.out.find("alias/a.htm\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("real/a.htm\n"), std::string::npos);
  EXPECT_NE(text.out.find("dangling.htm\n    open ("), std::string::npos);
  EXPECT_NE(text.out.find("3 files,"), std::string::npos) << text.out;
}

TEST_F(WalkFailureReport, NamesThatAreNotUtf8AreCheckedAndShownByTheirBytes) {
  site.write("caf\xE9.htm", kCleanPage);
  CheckerRun text = runOffline({site.path()}, scratch);
  EXPECT_EQ(text.status, 0) << text.out;
  EXPECT_EQ(text.out.rfind("caf\\xE9.htm\n", 0), 0u) << text.out;
  EXPECT_EQ(text.out.find("open"), std::string::npos) << text.out;
  CheckerRun json = runOffline({"--json", site.path()}, scratch);
  auto j = nlohmann::json::parse(json.out);
  EXPECT_EQ(j["file"], "caf\xEE\xBF\xA9.htm");
  EXPECT_NE(j["sizeText"], "open");
}

TEST_F(WalkFailureReport, ALinkOutOfTheRootIsLeftOutOfTheWalkButCheckedAsALinkTarget) {
  TempDir outside;
  outside.write("far.htm", kCleanPage);
  std::filesystem::create_symlink(outside.file("far.htm"), site.file("far.htm"));
  site.write("p.htm", "<html><body>\n<a href=\"far.htm\">far</a>\n</body></html>\n");
  CheckerRun text = runOffline({site.path()}, scratch);
  EXPECT_EQ(text.status, 0) << text.out << text.err;
  EXPECT_EQ(text.out.find("far.htm\n"), std::string::npos) << "not walked: " << text.out;
  EXPECT_NE(text.out.find("1 file,"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("0 broken links"), std::string::npos) << text.out;
}
