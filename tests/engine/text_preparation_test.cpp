// Lower-casing, blanking, case restoring and slashes around the scan.
#include "scanned_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using linkmoor::HtmlScanner;
using linkmoor::test::ScannedPage;

TEST(TextPreparation, LowerCaseTouchesOnlyAsciiCapitals) {
  std::string text = "AbZ[@`{\xC4\xE4\xFF<SCRIPT>";
  HtmlScanner::lowerCase(text.data(), text.data() + text.size());
  EXPECT_EQ(text, "abz[@`{\xC4\xE4\xFF<script>");
}

TEST(TextPreparation, ByteRewritesCoverLongBuffersAndTheirTails) {
  // Long enough for the 16-byte steps, with a tail of odd length after them.
  std::string text;
  for (int i = 0; i < 1000; ++i)
    text += static_cast<char>(i * 7 + 3);
  std::string lowered = text;
  HtmlScanner::lowerCase(lowered.data(), lowered.data() + lowered.size());
  std::string slashed = text;
  HtmlScanner::slashes(slashed.data(), slashed.data() + slashed.size());
  std::string restored = lowered;
  for (std::size_t i = 0; i < restored.size(); i += 3)
    restored[i] = ' ';
  HtmlScanner::restoreCase(restored.data(), restored.data() + restored.size(), text.data(),
                           text.data() + text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    EXPECT_EQ(lowered[i], c >= 'A' && c <= 'Z' ? c + 32 : c) << i;
    EXPECT_EQ(slashed[i], c == '\\' ? '/' : c) << i;
    EXPECT_EQ(restored[i], i % 3 == 0 || lowered[i] == ' ' ? ' ' : c) << i;
  }
}

TEST(TextPreparation, FusedStepsGiveWhatTheStepsGiveOneAfterTheOther) {
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "Ab\\ Z/xQ"[static_cast<std::size_t>(i * 5 % 8)];
  // The copy ends at the first zero byte, wherever it falls in a 16-byte step.
  for (std::size_t zeroAt : {std::string::npos, std::size_t{0}, std::size_t{15}, std::size_t{16},
                             std::size_t{40}, std::size_t{299}}) {
    std::string loaded = text;
    if (zeroAt != std::string::npos) loaded[zeroAt] = '\0';
    const std::size_t kept = std::min(zeroAt, loaded.size());
    std::string copied(loaded.size(), '#');
    const int length =
        HtmlScanner::lowerCaseCopy(loaded.data(), static_cast<int>(loaded.size()), copied.data());
    ASSERT_EQ(length, static_cast<int>(kept));
    std::string lowered = loaded.substr(0, kept);
    HtmlScanner::lowerCase(lowered.data(), lowered.data() + lowered.size());
    EXPECT_EQ(copied.substr(0, kept), lowered);

    // Blanks in the working text stay blanks; the loaded text may be shorter.
    for (std::size_t i = 0; i < lowered.size(); i += 7)
      lowered[i] = ' ';
    for (std::size_t loadedSize : {kept, kept / 2}) {
      std::string fused = lowered, stepwise = lowered;
      const char *loadedEnd = loaded.data() + loadedSize;
      HtmlScanner::restoreCaseAndSlashes(fused.data(), fused.data() + fused.size(), loaded.data(),
                                         loadedEnd);
      HtmlScanner::restoreCase(stepwise.data(), stepwise.data() + stepwise.size(), loaded.data(),
                               loadedEnd);
      HtmlScanner::slashes(stepwise.data(), stepwise.data() + stepwise.size());
      EXPECT_EQ(fused, stepwise) << zeroAt << " " << loadedSize;
    }
  }
}

TEST(TextPreparation, CommentsAreBlankedWithOrWithoutTheirLineFeeds) {
  const std::string text = "A<!-- x\ny -->B";
  ScannedPage summary(text);
  summary.prepareForLinks(false);
  EXPECT_EQ(summary.workText(), "A" + std::string(12, ' ') + "B");

  ScannedPage description(text);
  description.prepareForLinks(true);
  EXPECT_EQ(description.workText(), "A      \n     B");
}

TEST(TextPreparation, ScriptCommentsAndEndTagsAreBlankedButCodeAndStringsStay) {
  const std::string text = "<SCRIPT>\nA=\"//x\"; // C\nB();</SCRIPT\n>";
  ScannedPage description(text);
  description.prepareForLinks(true);
  // The end tag loses its line feed in both passes; the comment keeps it here.
  EXPECT_EQ(description.workText(), "<SCRIPT>\nA=\"//x\";     \nB();" + std::string(10, ' '));

  ScannedPage summary(text);
  summary.prepareForLinks(false);
  EXPECT_EQ(summary.workText(), "<SCRIPT>\nA=\"//x\";      B();" + std::string(10, ' '));
}

TEST(TextPreparation, TagsAndTextBetweenThemAreNotBlanked) {
  const std::string text = "Hi <A HREF=\"X.htm\">There</A>";
  ScannedPage page(text);
  page.prepareForLinks(false);
  EXPECT_EQ(page.workText(), text);
}

TEST(TextPreparation, RestoreCaseLeavesBlankedPositionsBlank) {
  std::string work = "ab  e";
  const std::string loaded = "ABCDE";
  HtmlScanner::restoreCase(work.data(), work.data() + work.size(), loaded.data(),
                           loaded.data() + loaded.size());
  EXPECT_EQ(work, "AB  E");
  // A shorter loaded text limits the copy.
  std::string longer = "abcdef";
  HtmlScanner::restoreCase(longer.data(), longer.data() + longer.size(), loaded.data(),
                           loaded.data() + 2);
  EXPECT_EQ(longer, "ABcdef");
}

TEST(TextPreparation, SlashesReplaceEveryBackslash) {
  std::string text = "a\\b\\\\c/";
  HtmlScanner::slashes(text.data(), text.data() + text.size());
  EXPECT_EQ(text, "a/b//c/");
}

TEST(TextPreparation, BlankingClampsSegmentsThatDoNotFitTheText) {
  ScannedPage page("<!-- a long comment -->");
  std::string shorter = "<!-- a";
  page.scanner.blankForLinks(shorter.data(), shorter.data() + shorter.size(), false);
  EXPECT_EQ(shorter, std::string(6, ' '));
}
