#include "engine/link_record.h"

#include "engine/block_cache.h"

#include <atomic>
#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace linkmoor {

namespace {

// A slab starts with its head, aligned to its own size, so that the head of any
// record in it is found by masking the record's address. It counts the records
// still alive in it, plus one while it is a thread's current slab.
struct SlabHead {
  std::atomic<std::size_t> live{1};
};

constexpr std::size_t kRecordSlot =
    (sizeof(LinkRecord) + alignof(LinkRecord) - 1) / alignof(LinkRecord) * alignof(LinkRecord);
constexpr std::size_t kFirstSlot =
    (sizeof(SlabHead) + alignof(LinkRecord) - 1) / alignof(LinkRecord) * alignof(LinkRecord);
static_assert(kFirstSlot + kRecordSlot <= kLinkRecordSlabBytes);

std::atomic<std::size_t> slabCount{0};

// A slab of its own pages, aligned to its size: twice the size is mapped and
// what lies outside the aligned part is given back at once, so that neither the
// address space nor the resident memory holds more than the slab.
void *mapSlab() {
  const std::size_t size = kLinkRecordSlabBytes;
  void *mapped =
      mmap(nullptr, 2 * size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = (start + size - 1) & ~(size - 1);
  if (aligned > start) munmap(mapped, aligned - start);
  const std::uintptr_t tail = aligned + size;
  if (start + 2 * size > tail) munmap(reinterpret_cast<void *>(tail), start + 2 * size - tail);
  return reinterpret_cast<void *>(aligned);
}

void dropSlab(SlabHead *head) noexcept {
  if (head->live.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    head->~SlabHead();
    munmap(head, kLinkRecordSlabBytes);
    slabCount.fetch_sub(1, std::memory_order_relaxed);
  }
}

// The slab a thread makes its records in; a record freed on another thread only
// lowers the slab's count.
struct CurrentSlab {
  SlabHead *head = nullptr;
  std::size_t used = 0;
  ~CurrentSlab() {
    if (head) dropSlab(head);
  }
  void *take() {
    // Only this thread adds records to its current slab: when none is alive in it,
    // none can come back, and it is used again from its start.
    if (head && head->live.load(std::memory_order_acquire) == 1) used = kFirstSlot;
    if (!head || used + kRecordSlot > kLinkRecordSlabBytes) {
      void *block = mapSlab();
      slabCount.fetch_add(1, std::memory_order_relaxed);
      if (head) dropSlab(head);
      head = new (block) SlabHead;
      used = kFirstSlot;
    }
    head->live.fetch_add(1, std::memory_order_relaxed);
    void *record = reinterpret_cast<char *>(head) + used;
    used += kRecordSlot;
    return record;
  }
};

thread_local CurrentSlab current;

// Under AddressSanitizer each record is a block of its own, so that a stray access
// is still caught.
constexpr bool kSlabs = !LINKMOOR_ADDRESS_SANITIZER;

} // namespace

void *LinkRecord::operator new(std::size_t size) {
  if (!kSlabs || size != sizeof(LinkRecord)) return ::operator new(size);
  return current.take();
}

void LinkRecord::operator delete(void *block, std::size_t size) noexcept {
  if (!block) return;
  if (!kSlabs || size != sizeof(LinkRecord)) {
    ::operator delete(block);
    return;
  }
  const auto address = reinterpret_cast<std::uintptr_t>(block);
  dropSlab(reinterpret_cast<SlabHead *>(address & ~(kLinkRecordSlabBytes - 1)));
}

std::size_t linkRecordSlabCount() { return slabCount.load(std::memory_order_relaxed); }

} // namespace linkmoor
