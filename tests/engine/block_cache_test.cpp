// The block cache recycles freed blocks, except under AddressSanitizer (of
// either compiler), where a recycled block would hide a use after free.
#include "engine/block_cache.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The sanitizer test written out here on its own, as both compilers announce it.
constexpr bool underAddressSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  return true;
#else
  return false;
#endif
#else
  return false;
#endif
}

using Blocks = linkmoor::BlockCache<48, 4>;

} // namespace

TEST(BlockCache, RecyclesExactlyWhenNoAddressSanitizerWatches) {
  static_assert(Blocks::recycles == !underAddressSanitizer());
  EXPECT_EQ(Blocks::recycles, !underAddressSanitizer());
}

TEST(BlockCache, BlocksAreUsableAndAFreedOneComesBackWhenRecycling) {
  void *first = Blocks::take();
  std::memset(first, 0x5A, 48);
  Blocks::give(first);
  void *second = Blocks::take();
  std::memset(second, 0xA5, 48);
  if (Blocks::recycles) {
    EXPECT_EQ(second, first);
  }
  Blocks::give(second);
  Blocks::give(nullptr);
}
