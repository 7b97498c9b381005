#pragma once
// Helpers of the windowed program's tests: a scratch Setting folder (the message box
// answers and event waits come from support/gui/gui_test_helpers.h).

#include "support/gui/gui_test_helpers.h"
#include "support/temp_dir.h"

#include <functional>
#include <gtest/gtest.h>

namespace linkmoor::test {

/// Points the program's data files at a fresh folder with a Setting folder, and the help
/// pages at the source tree; restores both afterwards.
class AppTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  /// Path of a file in the scratch Setting folder.
  std::string settingFile(const std::string &name) const;

  TempDir dir_;
};

} // namespace linkmoor::test
