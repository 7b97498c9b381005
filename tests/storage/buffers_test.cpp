#include "storage/bool_set.h"
#include "storage/byte_buffer.h"
#include "storage/char_buffer.h"
#include "storage/decimal_text.h"
#include "storage/window_placement.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

using namespace linkmoor;

TEST(CharBuffer, StartsEmptyInABlockOf100Bytes) {
  CharBuffer b;
  EXPECT_EQ(b.length(), 0);
  EXPECT_EQ(b.capacity(), 100);
  EXPECT_STREQ(b.data(), "");
}

TEST(CharBuffer, GrowsToTextPlus100AndShrinksOnlyBeyond200Slack) {
  CharBuffer b;
  std::string t150(150, 'a'), t40(40, 'b'), t60(60, 'c');
  b.assign(t150.c_str());
  EXPECT_EQ(b.capacity(), 250);
  EXPECT_EQ(b.str(), t150);
  b.assign(t40.c_str());
  EXPECT_EQ(b.capacity(), 140);
  EXPECT_EQ(b.str(), t40);

  b.assign(t150.c_str());
  const char *block = b.data();
  b.assign(t60.c_str());
  EXPECT_EQ(b.capacity(), 250);
  EXPECT_EQ(b.data(), block) << "60 characters fit the 250-byte block";
  EXPECT_EQ(b.str(), t60);
  EXPECT_EQ(b.data()[60], '\0');
}

TEST(CharBuffer, AssignNormalisesTheCount) {
  CharBuffer b;
  b.assign("abc", 5);
  EXPECT_EQ(b.str(), "abc");
  b.assign("abcdef", 2);
  EXPECT_EQ(b.str(), "ab");
  b.assign("abcdef", -1);
  EXPECT_EQ(b.str(), "abcdef");
  b.assign("abcdef", 0);
  EXPECT_EQ(b.str(), "");
  b.assign("xyz");
  b.assign(nullptr, 3);
  EXPECT_EQ(b.length(), 0);
  EXPECT_STREQ(b.data(), "");
}

TEST(CharBuffer, AssignFromItsOwnTextWorksInPlaceAndAcrossReallocation) {
  CharBuffer b("hello world");
  b.assign(b.data() + 6);
  EXPECT_EQ(b.str(), "world");
  std::string big(400, 'q');
  b.assign(big.c_str());
  b.assign(b.data() + 300); // 100 characters: shrinks from 500 to 200 bytes
  EXPECT_EQ(b.capacity(), 200);
  EXPECT_EQ(b.str(), std::string(100, 'q'));
}

TEST(CharBuffer, DropLastRefusesEmptyAndShrinksPastTheSlack) {
  CharBuffer empty;
  EXPECT_FALSE(empty.dropLast());
  EXPECT_EQ(empty.length(), 0);

  CharBuffer b(std::string(300, 'x'));
  ASSERT_EQ(b.capacity(), 400);
  while (b.length() > 200)
    ASSERT_TRUE(b.dropLast());
  EXPECT_EQ(b.capacity(), 400) << "200 < 400 - 200 does not hold yet";
  ASSERT_TRUE(b.dropLast());
  EXPECT_EQ(b.length(), 199);
  EXPECT_EQ(b.capacity(), 299);
  EXPECT_EQ(b.str(), std::string(199, 'x'));
  EXPECT_EQ(b.data()[199], '\0');
}

TEST(CharBuffer, ReplaceCharCountsAndReplacesWithinTheText) {
  CharBuffer b("a/b/c");
  EXPECT_EQ(b.replaceChar('/', '\\'), 2);
  EXPECT_EQ(b.str(), "a\\b\\c");
  EXPECT_EQ(b.replaceChar('/', '\\'), 0);
}

TEST(CharBuffer, CopiesAreIndependent) {
  CharBuffer a("one");
  CharBuffer b(a);
  b.assign("two");
  EXPECT_EQ(a.str(), "one");
  CharBuffer c;
  c = std::move(b);
  EXPECT_EQ(c.str(), "two");
}

TEST(ByteBuffer, ResizeGivesAFreshBlockOnlyWhenTheSizeChanges) {
  ByteBuffer b;
  EXPECT_EQ(b.data(), nullptr);
  ASSERT_TRUE(b.resize(8));
  EXPECT_EQ(b.size(), 8);
  std::memcpy(b.data(), "content", 8);
  ASSERT_TRUE(b.resize(8));
  EXPECT_STREQ(b.data(), "content") << "same size keeps the block";
  ASSERT_TRUE(b.resize(16));
  EXPECT_EQ(b.size(), 16);
  EXPECT_FALSE(b.resize(0));
  EXPECT_EQ(b.data(), nullptr);
  EXPECT_EQ(b.size(), 0);
  EXPECT_FALSE(b.resize(-5));
  ASSERT_TRUE(b.resize(3));
  b.free();
  EXPECT_EQ(b.data(), nullptr);
  EXPECT_EQ(b.size(), 0);
}

TEST(DecimalValue, ReadsLikeAtoi) {
  EXPECT_EQ(decimalValue("21"), 21);
  EXPECT_EQ(decimalValue("  \t-17xyz"), -17);
  EXPECT_EQ(decimalValue("+8"), 8);
  EXPECT_EQ(decimalValue(""), 0);
  EXPECT_EQ(decimalValue("abc"), 0);
  EXPECT_EQ(decimalValue("- 5"), 0);
  EXPECT_EQ(decimalValue(std::string("12\0"
                                     "34",
                                     5)),
            12);
  EXPECT_EQ(decimalValue("99999999999999"), 2147483647);
  EXPECT_EQ(decimalValue("-99999999999999"), -2147483647 - 1);
}

TEST(BoolSet, CarriesSeventeenFlagsAsBits) {
  BoolSet set;
  set.setFlag(0, 1);
  set.setFlag(16, 5);
  EXPECT_EQ(set.toNumber(), 65537u);
  BoolSet read;
  read.fromNumber(65537u | (1u << 17));
  EXPECT_EQ(read.flag(0), 1);
  EXPECT_EQ(read.flag(1), 0);
  EXPECT_EQ(read.flag(16), 1);
  EXPECT_EQ(read.toNumber(), 65537u) << "bit 17 is not a flag";
}

TEST(WindowPlacement, FormatsAndParsesTheTenNumbersInOrder) {
  WindowPlacement p{0, 1, -1, -2, -3, -4, 10, 20, 810, 620};
  EXPECT_EQ(p.format(), "0=1=-1=-2=-3=-4=10=20=810=620");
  WindowPlacement q;
  ASSERT_TRUE(q.parse(p.format()));
  EXPECT_EQ(q, p);
  ASSERT_TRUE(q.parse("1= 2=3x=4=5=6=7=8=9=10=11=junk"));
  EXPECT_EQ(q, (WindowPlacement{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  ASSERT_TRUE(q.parse("==========")) << "empty numbers read as 0";
  EXPECT_EQ(q, WindowPlacement{});
}

TEST(WindowPlacement, FewerThanTenNumbersChangeNothing) {
  WindowPlacement p{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  EXPECT_FALSE(p.parse("1=2=3=4=5=6=7=8=9"));
  EXPECT_FALSE(p.parse("1=2=3=4=5=6=7=8=9="));
  EXPECT_FALSE(p.parse(""));
  EXPECT_EQ(p, (WindowPlacement{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(WindowPlacement, MinimizedShowCommandsBecomeRestore) {
  for (int command : {2, 6, 7}) {
    WindowPlacement p;
    p.showCommand = command;
    p.restoreIfMinimized();
    EXPECT_EQ(p.showCommand, 9) << command;
  }
  for (int command : {0, 1, 3, 5, 9}) {
    WindowPlacement p;
    p.showCommand = command;
    p.restoreIfMinimized();
    EXPECT_EQ(p.showCommand, command);
  }
}
