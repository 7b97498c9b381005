#include "platform/open_with_html_program.h"

#include "support/temp_dir.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>

using namespace linkmoor;
using linkmoor::test::TempDir;

namespace {

// Keeps PATH and the open command as they were before the test.
class OpenWithHtmlProgram : public ::testing::Test {
protected:
  void SetUp() override {
    const char *path = std::getenv("PATH");
    savedPath_ = path ? path : "";
  }
  void TearDown() override {
    setenv("PATH", savedPath_.c_str(), 1);
    setHtmlOpenCommand({});
  }

  // An executable script in the temporary folder that records its arguments.
  std::string recorder(const std::string &name) {
    const std::string out = dir_.file("arguments.txt");
    std::string body = "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > ";
    body += out;
    body += ".part\n/bin/mv ";
    body += out;
    body += ".part ";
    body += out;
    body += "\n";
    const std::string script = dir_.write("bin/" + name, body);
    chmod(script.c_str(), 0755);
    return script;
  }

  // The recorded arguments once the started process has written them.
  std::string waitForArguments() {
    for (int i = 0; i < 1000; ++i) {
      if (std::filesystem::exists(dir_.file("arguments.txt"))) return dir_.read("arguments.txt");
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
  }

  TempDir dir_;
  std::string savedPath_;
};

} // namespace

TEST_F(OpenWithHtmlProgram, DefaultCommandIsXdgOpen) {
  ASSERT_EQ(htmlOpenCommand().size(), 1u);
  EXPECT_EQ(htmlOpenCommand().front(), "xdg-open");
  setHtmlOpenCommand({"/bin/true", "--x"});
  EXPECT_EQ(htmlOpenCommand().size(), 2u);
  setHtmlOpenCommand({});
  EXPECT_EQ(htmlOpenCommand().front(), "xdg-open");
}

TEST_F(OpenWithHtmlProgram, NoHandlerOnAnEmptyPath) {
  std::filesystem::create_directories(dir_.file("empty"));
  setenv("PATH", dir_.file("empty").c_str(), 1);
  EXPECT_FALSE(openWithHtmlProgram("file:///home/user/site/index.html"));
}

TEST_F(OpenWithHtmlProgram, StartsTheHandlerFoundOnPathWithTheAddressAsOneArgument) {
  recorder("xdg-open");
  setenv("PATH", dir_.file("bin").c_str(), 1);
  // Blanks, quotes and shell characters reach the program untouched: no shell between.
  const std::string address = "file:///home/user/my site/a \"b\" $(x);.htm";
  ASSERT_TRUE(openWithHtmlProgram(address));
  EXPECT_EQ(waitForArguments(), address + "\n");
}

TEST_F(OpenWithHtmlProgram, InjectedCommandKeepsItsLeadingArguments) {
  const std::string script = recorder("opener");
  setHtmlOpenCommand({script, "--new-window"});
  ASSERT_TRUE(openWithHtmlProgram("/tmp/page.htm"));
  EXPECT_EQ(waitForArguments(), "--new-window\n/tmp/page.htm\n");
}

TEST_F(OpenWithHtmlProgram, FindProgramNeedsAnExecutableRegularFile) {
  dir_.write("bin/plain", "not executable");
  std::filesystem::create_directories(dir_.file("bin/folder"));
  chmod(dir_.file("bin/folder").c_str(), 0755);
  const std::string script = recorder("tool");
  const std::string path = dir_.file("nothing") + ":" + dir_.file("bin");
  EXPECT_EQ(findProgram("tool", path), script);
  EXPECT_EQ(findProgram("plain", path), "");
  EXPECT_EQ(findProgram("folder", path), "");
  EXPECT_EQ(findProgram(script, ""), script);
  EXPECT_EQ(findProgram(dir_.file("bin/plain"), path), "");
  EXPECT_EQ(findProgram("", path), "");
}
