// Counting segments and links into a summary, error rows with their line
// numbers and excerpts, the texts of the codes, and the sorted link list.
#include "scanned_page.h"

#include "engine/error_list.h"
#include "engine/file_summary.h"
#include "engine/record_growth.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>

using namespace linkmoor;
using linkmoor::test::ScannedPage;

namespace {

std::unique_ptr<LinkRecord> link(int start, LinkType type = LinkType::Local,
                                 LinkStatus status = LinkStatus::Found) {
  auto record = std::make_unique<LinkRecord>();
  record->valueStart = start;
  record->valueEnd = start + 1;
  record->type = type;
  record->status = status;
  return record;
}

std::string repeatTags(int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += "<p>";
  return text;
}

} // namespace

TEST(CodeTexts, KnownCodesAndUnknownValues) {
  EXPECT_EQ(segmentKindText(1), "normal code");
  EXPECT_EQ(segmentKindText(4), "end TAG");
  EXPECT_EQ(segmentKindText(6), "comment");
  EXPECT_EQ(segmentKindText(7), "Unknown");
  EXPECT_EQ(syntaxErrorText(15), "no end of string pare");
  EXPECT_EQ(syntaxErrorText(20), "blank character after </ or <!");
  EXPECT_EQ(syntaxErrorText(30), "no end comment TAG of -->");
  EXPECT_EQ(syntaxErrorText(0), "n/a");
  EXPECT_EQ(syntaxErrorText(12), "n/a");
  EXPECT_EQ(linkTypeText(1), "Site link");
  EXPECT_EQ(linkTypeText(3), "Unknown");
  EXPECT_EQ(linkStatusText(10), "web file does't exist - site is ok");
  EXPECT_EQ(linkStatusText(15), "disk file does't exist");
  EXPECT_EQ(linkStatusText(99), "Unknown");
}

TEST(CodeTexts, RowsPickTheirTablesByKind) {
  ErrorRecord row;
  row.type = 2;
  row.code = 10;
  EXPECT_EQ(kindText(row).type, "script code");
  EXPECT_EQ(kindText(row).error, "no end brace >");
  EXPECT_EQ(linkText(row).type, "Remote link");
  EXPECT_EQ(linkText(row).error, "web file does't exist - site is ok");
}

TEST(FileSummaryCounts, SegmentsAreAddedByKindAndPagesWithoutTagsCountNothing) {
  FileSummary summary;
  ScannedPage none("plain text only");
  summary.countSegments(none.scanner);
  EXPECT_EQ(summary.tags, 0);
  EXPECT_EQ(summary.scripts, 0);

  ScannedPage page("<p><!-- c --><script>a</script>< b><script>open");
  summary.countSegments(page.scanner);
  EXPECT_EQ(summary.tags, 6); // p, comment, script tag, end tag, "< b>", second script tag
  EXPECT_EQ(summary.tagErrors, 1);
  EXPECT_EQ(summary.scripts, 2);
  EXPECT_EQ(summary.scriptErrors, 1);
  summary.countSegments(page.scanner); // adds to what is there
  EXPECT_EQ(summary.tags, 12);
}

TEST(FileSummaryCounts, LinksAreCountedAnewByType) {
  LinkList links;
  links.insertSorted(link(1, LinkType::Local, LinkStatus::NoDiskFile));
  links.insertSorted(link(2, LinkType::Site));
  links.insertSorted(link(3, LinkType::Site, LinkStatus::NoDiskFile));
  links.insertSorted(link(4, LinkType::Remote, LinkStatus::NoWebSite));
  links.insertSorted(link(5, static_cast<LinkType>(9), LinkStatus::NoWebFile));
  FileSummary summary;
  summary.localLinks = 50;
  summary.countLinks(links);
  EXPECT_EQ(summary.localLinks, 2);
  EXPECT_EQ(summary.localLinksMissing, 2);
  EXPECT_EQ(summary.siteLinks, 2);
  EXPECT_EQ(summary.siteLinksMissing, 1);
  EXPECT_EQ(summary.remoteLinks, 1);
  EXPECT_EQ(summary.remoteLinksMissing, 1);
  EXPECT_EQ(summary.errorTotal(), 4);
}

TEST(SyntaxRows, OneRowPerErrorWithLineAndExcerpt) {
  ScannedPage page("<b  ad><p>\n\n<p>\n< x>\r\n<script>\tx");
  ErrorList rows;
  rows.fillFromSegments(page.scanner, page.work(), page.workEnd());
  EXPECT_EQ(rows.linkRows, 0);
  ASSERT_EQ(rows.count(), 2);
  EXPECT_EQ(rows.at(0)->line, 3);
  EXPECT_EQ(rows.at(0)->excerpt, "< x>");
  EXPECT_EQ(kindText(*rows.at(0)).type, "normal TAG");
  EXPECT_EQ(kindText(*rows.at(0)).error, "blank character after <");
  EXPECT_EQ(rows.at(1)->line, 4);
  EXPECT_EQ(rows.at(1)->excerpt, " x"); // the tab shows as a blank
  EXPECT_EQ(kindText(*rows.at(1)).type, "script code");
  EXPECT_EQ(kindText(*rows.at(1)).error, "no end brace >");
}

TEST(SyntaxRows, ErrorAtTheFirstCharacterIsOnTheFirstLine) {
  ScannedPage page("< \nb>");
  ErrorList rows;
  rows.fillFromSegments(page.scanner, page.work(), page.workEnd());
  ASSERT_EQ(rows.count(), 1);
  // The error is found at "b", after the line feed; the excerpt shows it as a blank.
  EXPECT_EQ(rows.at(0)->line, 1);
  EXPECT_EQ(rows.at(0)->excerpt, "<  b>");
  ScannedPage first("<");
  ErrorList one;
  one.fillFromSegments(first.scanner, first.work(), first.workEnd());
  ASSERT_EQ(one.count(), 1);
  EXPECT_EQ(one.at(0)->line, 0);
}

TEST(SyntaxRows, ExcerptIsCutAtFortyCharacters) {
  const std::string forty = "< " + std::string(37, 'a') + ">";
  ASSERT_EQ(forty.size(), 40u);
  ScannedPage whole(forty);
  ErrorList rows;
  rows.fillFromSegments(whole.scanner, whole.work(), whole.workEnd());
  ASSERT_EQ(rows.count(), 1);
  EXPECT_EQ(rows.at(0)->excerpt, forty);

  ScannedPage cut("< " + std::string(38, 'A') + ">");
  ErrorList more;
  more.fillFromSegments(cut.scanner, cut.work(), cut.workEnd());
  ASSERT_EQ(more.count(), 1);
  EXPECT_EQ(more.at(0)->excerpt, "< " + std::string(38, 'a')); // lower-cased
}

TEST(LinkRows, OnlyLinksWithAStatusWithValueAndTarget) {
  ScannedPage page("<a href=\"ok.htm\">\n<a href=\"Gone.htm\">\n\n<b style=\"url(http://x.y/)\">");
  page.extractLinks();
  ASSERT_EQ(page.scanner.links.count(), 3);
  page.scanner.links.at(1)->status = LinkStatus::NoDiskFile;
  page.scanner.links.at(1)->target = "/site/Gone.htm";
  page.scanner.links.at(2)->status = static_cast<LinkStatus>(0x10A);
  ErrorList rows;
  rows.fillFromLinks(page.scanner.links, page.work(), page.workEnd());
  EXPECT_EQ(rows.linkRows, 1);
  ASSERT_EQ(rows.count(), 2);
  EXPECT_EQ(rows.at(0)->line, 1);
  EXPECT_EQ(rows.at(0)->excerpt, "Gone.htm");
  EXPECT_EQ(rows.at(0)->target, "/site/Gone.htm");
  EXPECT_EQ(linkText(*rows.at(0)).type, "Local link");
  EXPECT_EQ(linkText(*rows.at(0)).error, "disk file does't exist");
  EXPECT_EQ(rows.at(1)->line, 3);
  EXPECT_EQ(rows.at(1)->excerpt, "http://x.y/");
  EXPECT_EQ(rows.at(1)->code, 10); // low byte of the status
}

TEST(LinkRows, EmptyOrReversedValueGivesAnEmptyExcerpt) {
  const std::string text = "\"x\"";
  LinkList links;
  auto quoteOnly = link(0, LinkType::Local, LinkStatus::NoDiskFile);
  quoteOnly->valueEnd = 1;
  links.insertSorted(std::move(quoteOnly));
  auto reversed = link(2, LinkType::Local, LinkStatus::NoDiskFile);
  reversed->valueEnd = 1;
  links.insertSorted(std::move(reversed));
  ErrorList rows;
  rows.fillFromLinks(links, text.data(), text.data() + text.size());
  ASSERT_EQ(rows.count(), 2);
  EXPECT_EQ(rows.at(0)->excerpt, "");
  EXPECT_EQ(rows.at(1)->excerpt, "");
}

TEST(SortedLinks, InsertionKeepsAscendingStartsWithEqualStartsBeforeExistingOnes) {
  LinkList links;
  for (int start : {50, 10, 90, 30, 70})
    links.insertSorted(link(start));
  std::vector<int> starts;
  for (const auto &l : links)
    starts.push_back(l->valueStart);
  EXPECT_EQ(starts, (std::vector<int>{10, 30, 50, 70, 90}));

  auto equal = link(50);
  LinkRecord *inserted = links.insertSorted(std::move(equal));
  EXPECT_EQ(links.at(2), inserted);
  auto last = link(90);
  inserted = links.insertSorted(std::move(last));
  EXPECT_EQ(links.at(links.count() - 1), inserted);
}

TEST(SortedLinks, MergeGivesTheSameOrderAsOneByOneInsertion) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    LinkList merged;
    LinkList single;
    const int existing = static_cast<int>(random() % 12);
    for (int i = 0; i < existing; ++i) {
      const int start = static_cast<int>(random() % 40);
      auto a = link(start);
      a->attribute = "old" + std::to_string(i);
      auto b = std::make_unique<LinkRecord>(*a);
      merged.insertSorted(std::move(a));
      single.insertSorted(std::move(b));
    }
    // New links come in strictly ascending order, as the text search finds them.
    std::vector<LinkRecord> found;
    for (int start = 0; start < 40; ++start) {
      if (random() % 4 != 0) continue;
      LinkRecord r;
      r.valueStart = start;
      r.attribute = "new" + std::to_string(start);
      found.push_back(r);
    }
    for (const LinkRecord &r : found)
      single.insertSorted(std::make_unique<LinkRecord>(r));
    merged.mergeSorted(std::move(found));
    ASSERT_EQ(merged.count(), single.count());
    for (int i = 0; i < merged.count(); ++i) {
      EXPECT_EQ(merged.at(i)->valueStart, single.at(i)->valueStart) << round << " " << i;
      EXPECT_EQ(merged.at(i)->attribute, single.at(i)->attribute) << round << " " << i;
    }
  }
}

TEST(RecordGrowth, LargeArraysGrowByAnEighthOfTheirCount) {
  RecordArray<int> small;
  for (int i = 0; i < 100; ++i)
    appendRecord(small, std::make_unique<int>(i));
  EXPECT_LE(small.capacity() - small.count(), 12);

  RecordArray<int> big;
  int reallocations = 0;
  int capacity = 0;
  for (int i = 0; i < 200000; ++i) {
    appendRecord(big, std::make_unique<int>(i));
    if (big.capacity() != capacity) {
      capacity = big.capacity();
      ++reallocations;
    }
  }
  // With a fixed step of 1024 past 8192 records this would take about 240.
  EXPECT_LT(reallocations, 120);
  // Emptied and filled again, the array starts small again.
  big.removeAll();
  appendRecord(big, std::make_unique<int>(1));
  EXPECT_LE(big.capacity(), 4);
}

TEST(RecordGrowth, SegmentsMadeOnOneThreadMayBeDestroyedOnAnother) {
  auto scanner = std::make_unique<HtmlScanner>();
  std::thread maker([&] {
    const std::string text = repeatTags(30000);
    scanner->scan(text.data(), text.data() + text.size());
  });
  maker.join();
  EXPECT_EQ(scanner->count(), 30000);
  std::thread destroyer([&] { scanner.reset(); });
  destroyer.join();
  // This thread's cache is untouched; new segments come and go as usual.
  HtmlScanner again;
  const std::string text = repeatTags(100);
  again.scan(text.data(), text.data() + text.size());
  EXPECT_EQ(again.count(), 100);
}
