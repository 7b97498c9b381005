#pragma once
// The links found in one page, kept in ascending order of where their value
// starts, so that they list in text order whichever search found them.

#include "engine/result_codes.h"
#include "storage/record_array.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace linkmoor {

/// One link of a page.
struct LinkRecord {
  /// Offset of the value's opening quote (attribute links) or of the character
  /// after the opening delimiter (absolute links).
  std::int32_t valueStart = 0;
  /// Offset of the closing quote or delimiter (exclusive end of the value).
  std::int32_t valueEnd = 0;
  /// The attribute name as written; empty for absolute links.
  std::string attribute;
  /// The resolved target: a disk path, a `file://` URL or an `http://` URL.
  std::string target;
  /// Local, site or remote; may hold a value outside the known types.
  LinkType type = LinkType::Local;
  /// Result of the check; Found until checked.
  LinkStatus status = LinkStatus::Found;
};

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
