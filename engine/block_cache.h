#pragma once
// A per-thread cache of freed memory blocks of one size. A page analysis
// allocates one record per tag and frees them all when the next page starts;
// handing those blocks straight back saves the general allocator's slow paths
// (it keeps only a handful per size at hand). Blocks come from and go back to
// the global operator new and delete, so a block freed on another thread than
// the one that made it is no concern; at most `Limit` blocks per thread are
// kept, the rest are freed.

#include <cstddef>
#include <new>

// GCC announces AddressSanitizer with __SANITIZE_ADDRESS__, clang through
// __has_feature(address_sanitizer).
#if defined(__SANITIZE_ADDRESS__)
#define LINKMOOR_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LINKMOOR_ADDRESS_SANITIZER 1
#endif
#endif
#ifndef LINKMOOR_ADDRESS_SANITIZER
#define LINKMOOR_ADDRESS_SANITIZER 0
#endif

namespace linkmoor {

/// Recycles blocks of `Size` bytes within one thread.
template <std::size_t Size, std::size_t Limit = 16384> class BlockCache {
public:
  static_assert(Size >= sizeof(void *), "a free block holds the link to the next one");

  /// A block of `Size` bytes (throws std::bad_alloc when there is no memory).
  static void *take() {
    if (!enabled) return ::operator new(Size);
    Cache &cache = local();
    if (Free *block = cache.head) {
      cache.head = block->next;
      --cache.count;
      return block;
    }
    return ::operator new(Size);
  }

  /// Gives back a block that `take` returned.
  static void give(void *block) noexcept {
    if (!block) return;
    if (!enabled) {
      ::operator delete(block);
      return;
    }
    Cache &cache = local();
    if (cache.count >= Limit) {
      ::operator delete(block);
      return;
    }
    cache.head = new (block) Free{cache.head};
    ++cache.count;
  }

  /// Whether freed blocks are kept for reuse: not under AddressSanitizer, where
  /// recycled blocks would hide a use after free.
#if LINKMOOR_ADDRESS_SANITIZER
  static constexpr bool recycles = false;
#else
  static constexpr bool recycles = true;
#endif

private:
  static constexpr bool enabled = recycles;
  struct Free {
    Free *next;
  };
  struct Cache {
    Free *head = nullptr;
    std::size_t count = 0;
    ~Cache() {
      while (head) {
        Free *next = head->next;
        ::operator delete(head);
        head = next;
      }
    }
  };
  static Cache &local() {
    static thread_local Cache cache;
    return cache;
  }
};

} // namespace linkmoor
