#include "storage/file_name_text.h"

#include <gtest/gtest.h>

using namespace linkmoor;

TEST(FileNameText, ValidUtf8IsToldFromLatin1) {
  EXPECT_TRUE(isValidUtf8("caf\xC3\xA9.htm"));
  EXPECT_FALSE(isValidUtf8("caf\xE9.htm"));
  EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong "/"
  EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // a surrogate
  EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
}

TEST(FileNameText, CarriedFormIsUtf8AndGivesTheBytesBack) {
  const std::string names[] = {
      "caf\xE9.htm",          "plain.htm", "caf\xC3\xA9.htm", "\xFF\xFE", "\xEE\xBE\xA9 private",
      std::string("a\0b", 3), "\xE9\xC3"};
  for (const std::string &name : names) {
    const std::string carried = carriedText(name);
    EXPECT_TRUE(isValidUtf8(carried)) << name;
    EXPECT_EQ(bytesOfCarried(carried), name);
  }
  EXPECT_EQ(carriedText("caf\xE9.htm"), "caf\xEE\xBF\xA9.htm");
  EXPECT_EQ(carriedText("plain.htm"), "plain.htm");
  EXPECT_TRUE(holdsCarriedBytes(carriedText("caf\xE9")));
  EXPECT_FALSE(holdsCarriedBytes("caf\xC3\xA9"));
  // Two names that differ only in their bytes stay apart.
  EXPECT_NE(carriedText("caf\xE9"), carriedText("caf\xC3\xA9"));
}

TEST(FileNameText, ReadableTextEscapesControlsAndStrayBytes) {
  EXPECT_EQ(readableText("caf\xE9.htm"), "caf\\xE9.htm");
  EXPECT_EQ(readableText("caf\xC3\xA9.htm"), "caf\xC3\xA9.htm");
  EXPECT_EQ(readableText("a\nb.htm"), "a\\x0Ab.htm");
  EXPECT_EQ(readableText("\x1B[31mred"), "\\x1B[31mred");
  EXPECT_EQ(readableText("\xC2\x9B"
                         "31m"),
            "\\u009B31m");
  EXPECT_EQ(readableText("tab\there\x7F"), "tab\\x09here\\x7F");
}
