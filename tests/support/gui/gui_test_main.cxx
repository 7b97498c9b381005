// Test main for widget tests: selects the offscreen platform unless one is set,
// and creates the QApplication only when tests actually run (listing the tests
// must work without a display).
#include "support/test_environment.h"

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

int main(int argc, char **argv) {
  linkmoor::test::clearProxyEnvironment();
  bool listing = false;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--gtest_list_tests") == 0) listing = true;
  ::testing::InitGoogleTest(&argc, argv);
  if (listing) return RUN_ALL_TESTS();
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
