// Speed of one page's analysis up to its links: copying into the working
// text, lower-casing, the scan with its script span pass, blanking, restoring
// the case, slashes and both link searches. Also the peak heap of one large
// page against its two text copies.
#include "page_set.h"

#include "engine/html_scanner.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <numeric>
#include <vector>

namespace {

// Heap use while `tracking` is set, counted in usable block sizes.
bool tracking = false;
long long heapNow = 0;
long long heapPeak = 0;

void *allocate(std::size_t size) {
  void *block = std::malloc(size ? size : 1);
  if (!block) throw std::bad_alloc();
  if (tracking) {
    heapNow += static_cast<long long>(malloc_usable_size(block));
    heapPeak = std::max(heapPeak, heapNow);
  }
  return block;
}

void release(void *block) {
  if (block && tracking) heapNow -= static_cast<long long>(malloc_usable_size(block));
  std::free(block);
}

} // namespace

void *operator new(std::size_t size) { return allocate(size); }
void operator delete(void *block) noexcept { release(block); }
void operator delete(void *block, std::size_t) noexcept { release(block); }

namespace {

using linkmoor::HtmlScanner;

const std::size_t setBytes = 10u << 20;

const std::vector<std::string> &pageSet() {
  static const std::vector<std::string> pages = linkmoor::bench::makePageSet(setBytes);
  return pages;
}

// What an analysis pass does with a page before resolving its links.
void analyse(const std::string &page, char *work, HtmlScanner &scanner) {
  std::memcpy(work, page.data(), page.size() + 1);
  char *end = work + page.size();
  HtmlScanner::lowerCase(work, end);
  scanner.scan(work, end);
  scanner.blankForLinks(work, end, false);
  HtmlScanner::restoreCase(work, end, page.data(), page.data() + page.size());
  HtmlScanner::slashes(work, end);
  scanner.extractLinks(work, end);
}

std::size_t totalSize(const std::vector<std::string> &pages) {
  return std::accumulate(pages.begin(), pages.end(), std::size_t{0},
                         [](std::size_t sum, const std::string &p) { return sum + p.size(); });
}

void pageSetAnalysis(benchmark::State &state) {
  const auto &pages = pageSet();
  std::size_t longest = 0;
  for (const auto &p : pages)
    longest = std::max(longest, p.size());
  std::vector<char> work(longest + 1);
  long long segments = 0;
  long long links = 0;
  for (auto _ : state) {
    segments = links = 0;
    for (const std::string &page : pages) {
      HtmlScanner scanner;
      analyse(page, work.data(), scanner);
      segments += scanner.count();
      links += scanner.links.count();
      benchmark::DoNotOptimize(scanner.links.count());
    }
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations() * totalSize(pages)));
  state.counters["pages"] = static_cast<double>(pages.size());
  state.counters["segments"] = static_cast<double>(segments);
  state.counters["links"] = static_cast<double>(links);
}
BENCHMARK(pageSetAnalysis)->Unit(benchmark::kMillisecond);

void onePageAnalysis(benchmark::State &state) {
  std::string page;
  for (const auto &p : pageSet())
    page += p;
  std::vector<char> work(page.size() + 1);
  for (auto _ : state) {
    HtmlScanner scanner;
    analyse(page, work.data(), scanner);
    benchmark::DoNotOptimize(scanner.links.count());
  }
  state.SetBytesProcessed(static_cast<long long>(state.iterations() * page.size()));

  // Peak heap of one analysis: the working copy and the records, beside the
  // loaded text that exists before.
  heapNow = heapPeak = 0;
  tracking = true;
  {
    std::vector<char> copy(page.size() + 1);
    HtmlScanner scanner;
    analyse(page, copy.data(), scanner);
    state.counters["segments"] = scanner.count();
    state.counters["links"] = scanner.links.count();
  }
  tracking = false;
  const double mb = 1024.0 * 1024.0;
  const double texts = 2.0 * static_cast<double>(page.size() + 1);
  const double peak = static_cast<double>(heapPeak) + static_cast<double>(page.size() + 1);
  state.counters["texts_MB"] = texts / mb;
  state.counters["records_MB"] = (peak - texts) / mb;
  state.counters["peak_MB"] = peak / mb;
}
BENCHMARK(onePageAnalysis)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
