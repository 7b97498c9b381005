// The "Windows" line ending of saved pages.
#include "storage/line_endings.h"

#include <gtest/gtest.h>

namespace linkmoor {
namespace {

TEST(LineEndings, EveryLineFeedGetsItsCarriageReturn) {
  EXPECT_EQ(withCrLfLineEnds("a\nb\n\nc"), "a\r\nb\r\n\r\nc");
  EXPECT_EQ(withCrLfLineEnds("\n"), "\r\n");
  EXPECT_EQ(withCrLfLineEnds(""), "");
  EXPECT_EQ(withCrLfLineEnds("no end"), "no end");
}

TEST(LineEndings, ExistingPairsAndOtherBytesStayAsTheyAre) {
  EXPECT_EQ(withCrLfLineEnds("a\r\nb"), "a\r\nb");
  EXPECT_EQ(withCrLfLineEnds("caf\xc3\xa9\n\xe9\r"), "caf\xc3\xa9\r\n\xe9\r");
  EXPECT_EQ(withCrLfLineEnds(std::string("x\0\ny", 4)), std::string("x\0\r\ny", 5));
}

} // namespace
} // namespace linkmoor
