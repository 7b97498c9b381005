#pragma once
// Test fixture: a temporary program folder with a Setting folder in it, which
// ProgramFolder reports for the time of one test.

#include "storage/program_folder.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

namespace linkmoor::test {

class SettingFolderTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::filesystem::create_directory(dir.file("Setting"));
    ProgramFolder::setOverride(dir.path());
  }
  void TearDown() override { ProgramFolder::setOverride(""); }

  /// Full path of `name` in the Setting folder.
  std::string setting(const std::string &name) const { return dir.file("Setting/" + name); }
  /// Writes `bytes` to `name` in the Setting folder.
  void put(const std::string &name, const std::string &bytes) const {
    dir.write("Setting/" + name, bytes);
  }
  /// The bytes of `name` in the Setting folder.
  std::string get(const std::string &name) const { return dir.read("Setting/" + name); }
  /// Removes the Setting folder with its content.
  void dropSettingFolder() const { std::filesystem::remove_all(dir.file("Setting")); }
  /// Permission bits of `path`, or -1.
  static int modeOf(const std::string &path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 0777) : -1;
  }
  /// Names in the Setting folder.
  std::vector<std::string> settingNames() const {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(dir.file("Setting")))
      names.push_back(entry.path().filename().string());
    return names;
  }

  TempDir dir;
};

} // namespace linkmoor::test
