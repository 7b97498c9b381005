#include "storage/page_text_codec.h"

#include <gtest/gtest.h>
#include <string>

using namespace linkmoor;

namespace {

std::string allBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b)
    bytes.push_back(static_cast<char>(b));
  return bytes;
}

std::string roundTrip(const std::string &bytes) {
  const PageEncoding encoding = detectPageEncoding(bytes);
  std::string back;
  EXPECT_TRUE(encodePage(decodePage(bytes, encoding), encoding, back).ok);
  return back;
}

} // namespace

TEST(PageEncodingDetection, ValidUtf8IsUtf8) {
  EXPECT_EQ(detectPageEncoding(""), PageEncoding::Utf8);
  EXPECT_EQ(detectPageEncoding("<p>plain ascii</p>\n"), PageEncoding::Utf8);
  EXPECT_EQ(detectPageEncoding("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"), PageEncoding::Utf8);
  EXPECT_EQ(detectPageEncoding("\xEF\xBB\xBF<html>"), PageEncoding::Utf8);
  EXPECT_EQ(detectPageEncoding(std::string("a\0b", 3)), PageEncoding::Utf8);
}

TEST(PageEncodingDetection, MalformedUtf8IsLatin1) {
  EXPECT_EQ(detectPageEncoding("caf\xE9"), PageEncoding::Latin1);          // Latin-1 e acute
  EXPECT_EQ(detectPageEncoding("\x80"), PageEncoding::Latin1);             // stray continuation
  EXPECT_EQ(detectPageEncoding("\xC3"), PageEncoding::Latin1);             // cut at the end
  EXPECT_EQ(detectPageEncoding("\xC0\xAF"), PageEncoding::Latin1);         // overlong "/"
  EXPECT_EQ(detectPageEncoding("\xE0\x80\xAF"), PageEncoding::Latin1);     // overlong, 3 bytes
  EXPECT_EQ(detectPageEncoding("\xED\xA0\x80"), PageEncoding::Latin1);     // surrogate D800
  EXPECT_EQ(detectPageEncoding("\xF4\x90\x80\x80"), PageEncoding::Latin1); // above U+10FFFF
  EXPECT_EQ(detectPageEncoding("\xF8\x88\x80\x80\x80"), PageEncoding::Latin1);
  EXPECT_EQ(detectPageEncoding("\xE2\x82"), PageEncoding::Latin1);
}

TEST(PageDecoding, Utf8GivesTheCharactersIncludingSurrogatePairs) {
  EXPECT_EQ(decodePage("caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", PageEncoding::Utf8),
            u"caf\u00E9 \u20AC \U0001F600");
}

TEST(PageDecoding, Latin1MapsEveryByteToTheSameCodePoint) {
  const std::u16string text = decodePage(allBytes(), PageEncoding::Latin1);
  ASSERT_EQ(text.size(), 256u);
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(text[b], char16_t(b));
}

TEST(PageDecoding, MalformedBytesUnderUtf8BecomeReplacementCharacters) {
  EXPECT_EQ(decodePage("a\xFF"
                       "b",
                       PageEncoding::Utf8),
            u"a\uFFFDb");
}

TEST(PageRoundTrip, UnchangedTextGivesBackItsBytes) {
  const std::string utf8 =
      "\xEF\xBB\xBF<p>caf\xC3\xA9 \xC2\xA0 \xE2\x80\xA8 \xF0\x9F\x98\x80</p>\r\n" +
      std::string("\0end", 4);
  EXPECT_EQ(roundTrip(utf8), utf8);
  const std::string latin1 = "<p>caf\xE9 \xA0 \xFF</p>\r\n" + allBytes();
  ASSERT_EQ(detectPageEncoding(latin1), PageEncoding::Latin1);
  EXPECT_EQ(roundTrip(latin1), latin1);
}

TEST(PageEncoding, Latin1RefusesCharactersAboveFF) {
  std::string bytes = "old";
  const PageEncodeResult result = encodePage(u"ab\u20ACc", PageEncoding::Latin1, bytes);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.badIndex, 2u);
  EXPECT_EQ(result.badCharacter, U'\u20AC');
  EXPECT_TRUE(bytes.empty());

  const PageEncodeResult pair = encodePage(u"x\U0001F600", PageEncoding::Latin1, bytes);
  EXPECT_FALSE(pair.ok);
  EXPECT_EQ(pair.badIndex, 1u);
  EXPECT_EQ(pair.badCharacter, U'\U0001F600');
}

TEST(PageEncoding, Utf8RefusesLoneSurrogates) {
  std::string bytes;
  const std::u16string high{u'a', char16_t(0xD83D), u'b'};
  EXPECT_FALSE(encodePage(high, PageEncoding::Utf8, bytes).ok);
  const std::u16string low{char16_t(0xDE00)};
  const PageEncodeResult result = encodePage(low, PageEncoding::Utf8, bytes);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.badCharacter, char32_t(0xDE00));
  const std::u16string cut{u'a', char16_t(0xD83D)};
  EXPECT_FALSE(encodePage(cut, PageEncoding::Utf8, bytes).ok);
}

TEST(PageEncoding, Utf8WritesEveryLength) {
  std::string bytes;
  ASSERT_TRUE(encodePage(u"A\u00E9\u20AC\U0001F600", PageEncoding::Utf8, bytes).ok);
  EXPECT_EQ(bytes, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_STREQ(pageEncodingName(PageEncoding::Utf8), "UTF-8");
  EXPECT_STREQ(pageEncodingName(PageEncoding::Latin1), "Latin-1");
}
