#include "engine/markup_segment.h"

#include "engine/block_cache.h"

namespace linkmoor {

namespace {
// Large manuals have pages of 50,000 to 75,000 tags: a cache of 64 Ki blocks per
// thread (4 MiB) serves them from the blocks of the page before, where a smaller
// one would send the rest through the general allocator twice per page.
using SegmentBlocks = BlockCache<sizeof(MarkupSegment), 64 * 1024>;
} // namespace

void *MarkupSegment::operator new(std::size_t size) {
  return size == sizeof(MarkupSegment) ? SegmentBlocks::take() : ::operator new(size);
}

void MarkupSegment::operator delete(void *block, std::size_t size) noexcept {
  if (size == sizeof(MarkupSegment))
    SegmentBlocks::give(block);
  else
    ::operator delete(block);
}

} // namespace linkmoor
