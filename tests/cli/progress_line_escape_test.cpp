// The progress line goes to a terminal: a file name must not act on it.

#include "cli/progress_line.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

using namespace linkmoor::cli;

namespace {

std::string shown(const std::string &name) {
  char *buffer = nullptr;
  std::size_t size = 0;
  std::FILE *out = open_memstream(&buffer, &size);
  {
    ProgressLine line(out, true);
    line.show(0, 1, 0, name, true);
    std::fflush(out);
  }
  std::fclose(out);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

} // namespace

TEST(ProgressLineEscape, ControlCharactersInANameAreShownEscaped) {
  const std::string text = shown("evil\x1B]0;owned\x07.htm");
  EXPECT_NE(text.find("evil\\x1B]0;owned\\x07.htm"), std::string::npos) << text;
  EXPECT_EQ(text.find('\x07'), std::string::npos);
}

TEST(ProgressLineEscape, ALongNameIsCutAtTheStartOfACharacter) {
  std::string name = "folder/";
  for (int i = 0; i < 30; ++i)
    name += "\xC3\xA9";
  const std::string text = shown(name);
  const std::size_t dots = text.find("...");
  ASSERT_NE(dots, std::string::npos) << text;
  EXPECT_NE(static_cast<unsigned char>(text[dots + 3]) & 0xC0, 0x80) << text;
}
