#pragma once
// The links found in one page, kept in ascending order of where their value
// starts, so that they list in text order whichever search found them.

#include "engine/link_record.h"
#include "engine/result_codes.h"
#include "storage/record_array.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace linkmoor {

/// The links of a page, sorted by `valueStart`.
class LinkList : public RecordArray<LinkRecord> {
public:
  /// Inserts `link` at its place by `valueStart`: before the first link when that
  /// one does not start below it, after the last when it does not start below the
  /// last one, else by binary search before any link with an equal start.
  LinkRecord *insertSorted(std::unique_ptr<LinkRecord> link);

  /// Inserts `found` (in strictly ascending order of `valueStart`) with the same
  /// result as inserting them one by one, in one merge instead of moving the
  /// links above each insertion point once per new link.
  void mergeSorted(std::vector<LinkRecord> &&found);
};

} // namespace linkmoor
