#include "engine/link_list.h"

#include "engine/record_growth.h"

#include <utility>

namespace linkmoor {

LinkRecord *LinkList::insertSorted(std::unique_ptr<LinkRecord> link) {
  const std::int32_t key = link->valueStart;
  keepGrowthProportional(*this);
  if (count() == 0 || at(0)->valueStart >= key) return insertAt(0, std::move(link));
  if (key >= at(count() - 1)->valueStart) return append(std::move(link));
  // at(low) < key <= at(high): find the first link whose start is not below key.
  int low = 0;
  int high = count() - 1;
  while (high - low > 1) {
    const int mid = low + (high - low) / 2;
    if (at(mid)->valueStart < key)
      low = mid;
    else
      high = mid;
  }
  return insertAt(high, std::move(link));
}

void LinkList::mergeSorted(std::vector<LinkRecord> &&found) {
  if (found.empty()) return;
  if (count() == 0 || found.front().valueStart >= at(count() - 1)->valueStart) {
    for (LinkRecord &link : found)
      insertSorted(std::make_unique<LinkRecord>(std::move(link)));
    return;
  }
  // Grow by empty records, then merge from the back, moving record contents.
  int old = count();
  const int lastOriginal = old - 1;
  for (std::size_t i = 0; i < found.size(); ++i)
    appendRecord(*this, std::make_unique<LinkRecord>());
  int next = static_cast<int>(found.size()) - 1;
  int slot = count() - 1;
  while (next >= 0) {
    // As with single insertions, a new link goes before an existing one with an
    // equal start, except after the list's original last link.
    const std::int32_t key = found[static_cast<std::size_t>(next)].valueStart;
    const bool existingAfter =
        old > 0 && (at(old - 1)->valueStart > key ||
                    (at(old - 1)->valueStart == key && old - 1 != lastOriginal));
    if (existingAfter) {
      *at(slot) = std::move(*at(old - 1));
      --old;
    } else {
      *at(slot) = std::move(found[static_cast<std::size_t>(next)]);
      --next;
    }
    --slot;
  }
}

} // namespace linkmoor
