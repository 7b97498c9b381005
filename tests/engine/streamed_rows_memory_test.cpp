// The memory a page of many broken links takes while its rows are streamed: every
// block handed out by operator new in this test program is counted with its usable
// size, and the slabs of link records with theirs.
#include "support/temp_dir.h"

#include "engine/analysis_pass.h"
#include "engine/block_cache.h"
#include "engine/job_control.h"
#include "storage/current_projects.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

using namespace linkmoor;
using linkmoor::test::TempDir;

namespace {

std::atomic<long long> liveBytes{0};
std::atomic<long long> peakBytes{0};

long long heldNow() {
  return liveBytes.load() + static_cast<long long>(linkRecordSlabCount() * kLinkRecordSlabBytes);
}

void notePeak() {
  const long long now = heldNow();
  long long seen = peakBytes.load();
  while (now > seen && !peakBytes.compare_exchange_weak(seen, now)) {
  }
}

} // namespace

void *operator new(std::size_t size) {
  void *block = std::malloc(size == 0 ? 1 : size);
  if (!block) throw std::bad_alloc();
  liveBytes += static_cast<long long>(malloc_usable_size(block));
  notePeak();
  return block;
}

void operator delete(void *block) noexcept {
  if (!block) return;
  liveBytes -= static_cast<long long>(malloc_usable_size(block));
  std::free(block);
}

void operator delete(void *block, std::size_t) noexcept { operator delete(block); }

namespace {

// Every disk target is missing; nothing is noted, so the checker holds nothing.
class MissingChecker : public LinkChecker {
public:
  LinkStatus checkHttp(const std::string &) override { return LinkStatus::Found; }
  LinkStatus checkDisk(const std::string &) override { return LinkStatus::NoDiskFile; }
};

class StreamedRows : public ::testing::Test {
protected:
  void SetUp() override { CurrentLocalProject.rootPath = dir.path(); }
  void TearDown() override { CurrentLocalProject = LocalProject(); }
  TempDir dir;
  SilentJob job;
  MissingChecker checker;
  PassContext context{false, job, checker};
};

} // namespace

TEST_F(StreamedRows, APageOfManyBrokenLinksHoldsAtMost200BytesPerLink) {
  if (LINKMOOR_ADDRESS_SANITIZER)
    GTEST_SKIP() << "under AddressSanitizer each record is a block of its own";
  const int links = 200000;
  std::string page;
  page.reserve(static_cast<std::size_t>(links) * 12);
  for (int i = 0; i < links; ++i)
    page += "<a href=\"x\">";
  dir.write("broken.htm", page);
  page = std::string();

  HtmlScanner scanner;
  FileSummary summary;
  int rows = 0;
  int lastLine = 0;
  const RowStream stream = [&](const ErrorRecord &row, bool linkRow) {
    EXPECT_TRUE(linkRow);
    lastLine = row.line;
    ++rows;
    notePeak();
  };
  const long long before = heldNow();
  peakBytes = before;
  ASSERT_EQ(findGeneralInfoStreamingRows(scanner, "broken.htm", summary, stream, context), 1);
  EXPECT_EQ(rows, links);
  EXPECT_EQ(lastLine, 0);
  EXPECT_EQ(summary.localLinksMissing, links);
  // The page's text twice, its segments until the links are extracted, the links
  // with their targets: all of it, at its highest, within 200 bytes a link.
  const long long perLink = (peakBytes.load() - before) / links;
  EXPECT_LE(perLink, 200) << "bytes per link at the peak";
  RecordProperty("bytesPerLink", static_cast<int>(perLink));
  // The streaming pass lets go of the segments once the links are extracted.
  EXPECT_EQ(scanner.segments().count(), 0);
  EXPECT_EQ(scanner.links.count(), links);
}

TEST_F(StreamedRows, ALinkRecordIsSixtyFourBytesAndSlabsAreFreedWithTheirLinks) {
  EXPECT_LE(sizeof(LinkRecord), 64u);
  if (LINKMOOR_ADDRESS_SANITIZER)
    GTEST_SKIP() << "under AddressSanitizer each record is a block of its own";
  const std::size_t slabsBefore = linkRecordSlabCount();
  {
    LinkList list;
    for (int i = 0; i < 20000; ++i) {
      auto link = std::make_unique<LinkRecord>();
      link->valueStart = i;
      link->attribute.assign("pluginspage");
      list.append(std::move(link));
    }
    // Records lie side by side in slabs: 20000 of 64 bytes in five slabs of 256 KB.
    EXPECT_LE(linkRecordSlabCount() - slabsBefore,
              20000 * sizeof(LinkRecord) / kLinkRecordSlabBytes + 2);
    EXPECT_EQ(list.at(19999)->valueStart, 19999);
    EXPECT_EQ(list.at(19999)->attribute, std::string_view("pluginspage"));
  }
  // The thread keeps at most its current slab.
  EXPECT_LE(linkRecordSlabCount(), slabsBefore + 1);
}
