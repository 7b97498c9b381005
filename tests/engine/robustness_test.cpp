// Arbitrary and hostile input through every step of the scanner and the link
// phase. The texts sit in buffers of exactly their size, so the sanitizer build
// reports any read past the end; the checks below catch offsets that leave the
// text or lose their order.
#include "scanned_page.h"

#include "engine/error_list.h"
#include "engine/file_summary.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

using namespace linkmoor;
using linkmoor::test::ScannedPage;

namespace {

int effectiveLength(const std::string &text) {
  const std::size_t zero = text.find('\0');
  return static_cast<int>(zero == std::string::npos ? text.size() : zero);
}

void checkSegments(const HtmlScanner &scanner, int n) {
  int previousStart = 0;
  for (int i = 0; i < scanner.count(); ++i) {
    const MarkupSegment &s = *scanner.at(i);
    ASSERT_LE(0, s.start);
    ASSERT_LE(s.start, s.end);
    ASSERT_LE(s.end, n);
    ASSERT_LE(previousStart, s.start);
    previousStart = s.start;
    if (s.hasError()) {
      ASSERT_LE(0, s.errorPos);
      ASSERT_LE(s.errorPos, n);
    }
    int spanEnd = s.start;
    for (const auto &span : s.spans()) {
      ASSERT_LE(spanEnd, span->start);
      ASSERT_LT(span->start, span->end);
      ASSERT_LE(span->end, s.end);
      spanEnd = span->end;
    }
  }
}

void checkLinks(const LinkList &links, int n) {
  int previous = -1;
  for (const auto &link : links) {
    ASSERT_LE(0, link->valueStart);
    ASSERT_LT(link->valueStart, link->valueEnd);
    ASSERT_LE(link->valueEnd, n);
    ASSERT_LT(previous, link->valueStart);
    previous = link->valueStart;
  }
}

// Every step of both passes on `text`; returns the number of links found.
int runAllSteps(const std::string &text, bool keepLineFeeds) {
  const int n = effectiveLength(text);
  ScannedPage page(text);
  checkSegments(page.scanner, n);
  ErrorList syntaxRows;
  syntaxRows.fillFromSegments(page.scanner, page.work(), page.workEnd());
  FileSummary summary;
  summary.countSegments(page.scanner);

  page.prepareForLinks(keepLineFeeds);
  const std::string prepared = page.workText();
  for (int i = 0; i < n; ++i) {
    const char was = text[static_cast<std::size_t>(i)];
    const char now = prepared[static_cast<std::size_t>(i)];
    if (now != was && now != ' ' && !(was == '\\' && now == '/'))
      ADD_FAILURE() << "byte " << i << " changed into " << int(now);
  }
  page.scanner.extractLinks(page.work(), page.workEnd());
  checkLinks(page.scanner.links, n);
  for (const auto &link : page.scanner.links)
    link->status = LinkStatus::NoWebFile;
  ErrorList linkRows;
  linkRows.fillFromLinks(page.scanner.links, page.work(), page.workEnd());
  summary.countLinks(page.scanner.links);
  EXPECT_EQ(linkRows.count(), page.scanner.links.count());
  return page.scanner.links.count();
}

std::string randomBytes(std::mt19937 &random, std::size_t size, bool allowZero) {
  std::string text(size, ' ');
  for (char &c : text) {
    c = static_cast<char>(random() & 0xff);
    if (!allowZero && c == 0) c = 1;
  }
  return text;
}

// Pieces that hit the scanner's and the link phase's decisions.
const std::vector<std::string> fragments = {"<",
                                            ">",
                                            "\"",
                                            "'",
                                            "<!--",
                                            "-->",
                                            "--",
                                            "-",
                                            "<!",
                                            "<! ",
                                            " ",
                                            "\n",
                                            "\r\n",
                                            "\t",
                                            "<script>",
                                            "</script>",
                                            "<SCRIPT",
                                            "</script",
                                            "//",
                                            "/*",
                                            "*/",
                                            "\\",
                                            "\\\"",
                                            "=",
                                            "href",
                                            "SRC",
                                            "http://",
                                            "://",
                                            "(",
                                            ")",
                                            "a",
                                            "x.htm",
                                            "mailto:",
                                            "\xff",
                                            "\x80",
                                            "\xe9",
                                            "#",
                                            "?",
                                            "../",
                                            "./",
                                            "<a href=\"",
                                            "url(",
                                            "=\"http://a.b/",
                                            "xlink:"};

std::string randomMarkup(std::mt19937 &random, int pieces) {
  std::string text;
  for (int i = 0; i < pieces; ++i)
    text += fragments[random() % fragments.size()];
  return text;
}

std::string repeat(const std::string &unit, std::size_t size) {
  std::string text;
  text.reserve(size + unit.size());
  while (text.size() < size)
    text += unit;
  return text;
}

} // namespace

TEST(Robustness, RandomBytes) {
  std::mt19937 random(1);
  for (int round = 0; round < 300; ++round) {
    runAllSteps(randomBytes(random, random() % 4096, false), round % 2 == 0);
    runAllSteps(randomBytes(random, random() % 512, true), round % 2 == 1);
  }
}

TEST(Robustness, RandomMarkupFragments) {
  std::mt19937 random(2);
  for (int round = 0; round < 3000; ++round)
    runAllSteps(randomMarkup(random, static_cast<int>(random() % 120)), round % 2 == 0);
}

TEST(Robustness, UnterminatedConstructsAtTheVeryEnd) {
  const std::vector<std::string> endings = {"<",           "<a",
                                            "<a \"",       "<a '",
                                            "<a href=\"x", "<!",
                                            "<!-",         "<!--",
                                            "<! -",        "<! - -",
                                            "<!-- x --",   "<script",
                                            "<script>",    "<script>\"abc",
                                            "<script>'",   "<script>/*",
                                            "<script>//",  "<script><!--",
                                            "<script>--",  "<script></script",
                                            "<script></",  "=\"http://a.b",
                                            "(http://a",   "=http://a",
                                            "\"http",      "http:/",
                                            "://",         "< ",
                                            "<\t\r\n",     "<SCRIPT>x</SCRIPT"};
  for (const std::string &ending : endings) {
    runAllSteps(ending, false);
    runAllSteps("<p>text</p>" + ending, true);
  }
}

TEST(Robustness, AMillionOpeningBraces) {
  runAllSteps(std::string(1000000, '<'), false);
  // The same number of complete tags makes a million segments.
  ScannedPage page(repeat("<>", 2000000));
  EXPECT_EQ(page.scanner.count(), 1000000);
}

TEST(Robustness, SeveralMegabytesOnOneLine) {
  const std::string unit = "<div class=\"c\"><a href=\"page.htm\">Text</a> <img src=\"i.gif\" "
                           "alt='x'><script>var u=\"http://x.org/a\"; /* c */ f(1);</script>"
                           "<!-- note --> (http://y.org/b) \xe9\xff ";
  const int links = runAllSteps(repeat(unit, 4 << 20), false);
  EXPECT_GT(links, 100000);
}

TEST(Robustness, FiftyMegabytePageOnOneLine) {
  // Mostly running text, as in a huge generated page, with a link now and then.
  std::string unit(4096, 'x');
  const std::string tag = "<a href=\"p.htm\">";
  std::memcpy(unit.data() + 100, tag.data(), tag.size());
  const std::string text = repeat(unit, 50u << 20);
  ScannedPage page(text);
  page.extractLinks();
  EXPECT_EQ(page.scanner.count(), static_cast<int>(text.size() / unit.size()));
  EXPECT_EQ(page.scanner.links.count(), page.scanner.count());
}

// CPU seconds of this thread for all steps over `text` (the best of three runs, so a
// busy machine does not make one size look slow).
double stepSeconds(const std::string &text, bool keepLineFeeds) {
  double best = 1e9;
  for (int run = 0; run < 3; ++run) {
    timespec start{}, end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    runAllSteps(text, keepLineFeeds);
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    best = std::min(best, double(end.tv_sec - start.tv_sec) + 1e-9 * (end.tv_nsec - start.tv_nsec));
  }
  return best;
}

// Eight times the input must take about eight times as long: a quadratic step would
// take about sixty-four. The bound of 24 leaves room for caches and noise.
void expectLinear(const std::string &unit, std::size_t smallLength, const std::string &prefix,
                  const std::string &suffix, bool keepLineFeeds) {
  const double small = stepSeconds(prefix + repeat(unit, smallLength) + suffix, keepLineFeeds);
  const double large = stepSeconds(prefix + repeat(unit, 8 * smallLength) + suffix, keepLineFeeds);
  EXPECT_LT(large, 24 * std::max(small, 1e-3))
      << "small " << small << " s, large " << large << " s";
}

TEST(Robustness, InputsThatWouldBeQuadraticWithNaiveSearchesStayLinear) {
  // Each `://` after `=` re-walks the rest of one long run of URL characters.
  expectLinear("a://x=", 1 << 17, "\"", "", false);
  // Absolute links interleaved with many attribute links: sorted insertion.
  expectLinear("<a href=\"l.htm\"> (http://r.org) ", 1 << 18, "", "", false);
  // A script body of many line comments.
  expectLinear("//\n", 1 << 18, "<script>", "</script>", true);
  // Many unclosed quotes in tags.
  expectLinear("<a \"<b '", 1 << 17, "", "", false);
}
