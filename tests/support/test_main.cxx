// Test main for the tests without widgets.
#include "support/test_environment.h"

#include <gtest/gtest.h>

int main(int argc, char **argv) {
  linkmoor::test::clearProxyEnvironment();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
