#include "platform/file_system.h"
#include "storage/folder_search.h"
#include "storage/program_folder.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

using namespace linkmoor;
using linkmoor::test::TempDir;

namespace {
// Every match of `pattern`, as name and "/" for directories.
std::vector<std::string> walk(const std::string &pattern) {
  std::vector<std::string> names;
  FolderSearch search;
  for (bool found = search.start(pattern); found; found = search.next())
    names.push_back(search.name() + (search.isDirectory() ? "/" : ""));
  return names;
}

class FolderSearchTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir.write("site/index.html", "x");
    dir.write("site/PAGE.HTM", "x");
    dir.write("site/page.htm", "x");
    dir.write("site/README", "x");
    dir.write("site/.hidden", "x");
    dir.write("site/b/inner.txt", "x");
    std::filesystem::create_directory(dir.file("site/Alpha"));
    std::filesystem::create_directory(dir.file("empty"));
  }
  TempDir dir;
};
} // namespace

TEST_F(FolderSearchTest, StarDotStarMatchesEveryNameDotsFirstThenByName) {
  std::vector<std::string> expected{"./",         "../",      ".hidden",  "Alpha/", "b/",
                                    "index.html", "PAGE.HTM", "page.htm", "README"};
  EXPECT_EQ(walk(dir.file("site/*.*")), expected);
  EXPECT_EQ(walk(dir.file("site/*")), expected);
}

TEST_F(FolderSearchTest, MasksMatchCaseExactlyAndKnowOnlyStarAndQuestionMark) {
  EXPECT_EQ(walk(dir.file("site/*.htm")), (std::vector<std::string>{"page.htm"}));
  EXPECT_EQ(walk(dir.file("site/?AGE.*")), (std::vector<std::string>{"PAGE.HTM"}));
  EXPECT_EQ(walk(dir.file("site/README.*")), (std::vector<std::string>{"README"}))
      << "a trailing .* also matches the name without a dot";
  dir.write("site/[x]", "x");
  EXPECT_EQ(walk(dir.file("site/[x]")), (std::vector<std::string>{"[x]"}));
  EXPECT_TRUE(walk(dir.file("site/x")).empty());
  EXPECT_TRUE(FolderSearch::matches("*.*", "noext"));
  EXPECT_FALSE(FolderSearch::matches("*.txt", "a.TXT"));
}

TEST_F(FolderSearchTest, AnExactNameTellsWhetherAnEntryExists) {
  FolderSearch search;
  ASSERT_TRUE(search.start(dir.file("site/b")));
  EXPECT_TRUE(search.isDirectory());
  EXPECT_EQ(search.name(), "b");
  EXPECT_FALSE(search.next());
  EXPECT_FALSE(search.isRunning());
  EXPECT_FALSE(search.start(dir.file("site/nothing")));
  EXPECT_FALSE(search.start(dir.file("missing/*.*")));
  EXPECT_FALSE(search.start(dir.file("site/")));
  EXPECT_EQ(search.name(), "");
}

TEST_F(FolderSearchTest, AnEmptyFolderStillFindsItsDotEntries) {
  EXPECT_EQ(walk(dir.file("empty/*.*")), (std::vector<std::string>{"./", "../"}));
}

TEST_F(FolderSearchTest, SymbolicLinksAreNotDirectories) {
  ASSERT_EQ(symlink(dir.file("site/b").c_str(), dir.file("empty/link").c_str()), 0);
  FolderSearch search;
  ASSERT_TRUE(search.start(dir.file("empty/link")));
  EXPECT_FALSE(search.isDirectory()) << "walking a link would leave the folder";
}

TEST_F(FolderSearchTest, EntriesRemovedDuringTheWalkDoNotDisturbIt) {
  FolderSearch search;
  std::vector<std::string> seen;
  for (bool found = search.start(dir.file("site/*.*")); found; found = search.next()) {
    seen.push_back(search.name());
    if (!search.isDirectory()) removeFile(dir.file("site/" + search.name()));
  }
  EXPECT_EQ(seen.size(), 9u);
  EXPECT_EQ(walk(dir.file("site/*.*")), (std::vector<std::string>{"./", "../", "Alpha/", "b/"}));
}

TEST_F(FolderSearchTest, RootAndRelativePatterns) {
  EXPECT_FALSE(walk("/*.*").empty());
  std::string before = std::filesystem::current_path().string();
  std::filesystem::current_path(dir.file("site/b"));
  EXPECT_EQ(walk("*.txt"), (std::vector<std::string>{"inner.txt"}));
  std::filesystem::current_path(before);
}

TEST(FileSystem, FoldersFilesAndRenames) {
  TempDir dir;
  EXPECT_TRUE(makeFolder(dir.file("f")));
  EXPECT_FALSE(makeFolder(dir.file("f")));
  EXPECT_FALSE(makeFolder(dir.file("x/y")));
  dir.write("f/a", "1");
  dir.write("b", "2");
  EXPECT_FALSE(removeFolder(dir.file("f"))) << "not empty";
  EXPECT_TRUE(renameReplacing(dir.file("b"), dir.file("f/a")));
  EXPECT_EQ(dir.read("f/a"), "2");
  EXPECT_TRUE(removeFile(dir.file("f/a")));
  EXPECT_FALSE(removeFile(dir.file("f/a")));
  EXPECT_TRUE(removeFolder(dir.file("f")));
}

TEST(ProgramFolder, IsTheExecutablesFolderUnlessOverridden) {
  std::string exe = std::filesystem::read_symlink("/proc/self/exe").string();
  std::string folder = exe.substr(0, exe.rfind('/'));
  EXPECT_EQ(executablePath(), exe);
  EXPECT_EQ(ProgramFolder::folder(), folder);
  EXPECT_EQ(ProgramFolder::dataFilePath(ProgramFolder::kSettingsFile),
            folder + "/Setting/Linkmoor.set");
  ProgramFolder::setOverride("/tmp/elsewhere");
  EXPECT_EQ(ProgramFolder::dataFilePath(ProgramFolder::kLocalProjectsFile),
            "/tmp/elsewhere/Setting/SettingLocal.data");
  ProgramFolder::setOverride("");
  EXPECT_EQ(ProgramFolder::dataFilePath(ProgramFolder::kRemoteProjectsFile),
            folder + "/Setting/SettingRemote.data");
}
