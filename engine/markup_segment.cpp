#include "engine/markup_segment.h"

#include "engine/block_cache.h"

namespace linkmoor {

namespace {
using SegmentBlocks = BlockCache<sizeof(MarkupSegment)>;
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
