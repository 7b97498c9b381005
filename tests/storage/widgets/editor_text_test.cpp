#include "storage/widgets/editor_text.h"

#include <gtest/gtest.h>

using namespace linkmoor;

TEST(EditorLineEnds, CrLfBecomesLf) {
  EXPECT_EQ(collapseCrLf("one\r\ntwo\r\nthree\r\n"), QString("one\ntwo\nthree\n"));
}

TEST(EditorLineEnds, AnyRunOfCrsInFrontOfLfDisappears) {
  EXPECT_EQ(collapseCrLf("a\r\r\nb"), QString("a\nb"));
  EXPECT_EQ(collapseCrLf("a\r\r\r\r\n"), QString("a\n"));
  EXPECT_EQ(collapseCrLf("a\r\n\r\nb"), QString("a\n\nb"));
}

TEST(EditorLineEnds, CollapseKeepsLoneCrs) {
  EXPECT_EQ(collapseCrLf("a\rb\r"), QString("a\rb\r"));
  EXPECT_EQ(collapseCrLf("a\n\rb"), QString("a\n\rb"));
}

TEST(EditorLineEnds, EditorTurnsTheRemainingLineBreaksIntoLf) {
  EXPECT_EQ(toEditorLineEnds("a\rb\r\r\nc"), QString("a\nb\nc"));
  const QString separators =
      QString("a") + QChar(0x2029) + "b" + QChar(0xFDD0) + "c" + QChar(0xFDD1);
  EXPECT_EQ(toEditorLineEnds(separators), QString("a\nb\nc\n"));
}

TEST(EditorLineEnds, OtherCharactersStay) {
  const QString text =
      QString("a") + QChar(0x2028) + QChar(0x00A0) + QChar(0) + "\t\x01" + QChar(0xFEFF);
  EXPECT_EQ(toEditorLineEnds(text), text);
}

TEST(EditorTextConversion, PageTextRoundTrip) {
  const std::u16string page = u"caf\u00E9 \U0001F600";
  const QString text = fromPageText(page);
  EXPECT_EQ(text.size(), 7);
  EXPECT_EQ(std::u16string(toPageText(text)), page);
}

TEST(EditorTextConversion, ALeadingByteOrderMarkStays) {
  const std::u16string page = u"\uFEFF<html>";
  EXPECT_EQ(fromPageText(page).size(), 7);
  EXPECT_EQ(std::u16string(toPageText(fromPageText(page))), page);
}
