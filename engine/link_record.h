#pragma once
// One link of a page. A page may hold a million of them: they are made in slabs
// of their own instead of one by one by the general allocator, which would add
// its bookkeeping to each.

#include "engine/result_codes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace linkmoor {

/// The attribute name of a link, kept inside the record: the names of link
/// attributes are short ("pluginspage" is the longest), so a string's 32 bytes and
/// its block for a longer name are not needed. At most `capacity` bytes are kept.
class AttributeName {
public:
  /// Longest name kept whole; a longer one is cut.
  static constexpr std::size_t capacity = 15;

  AttributeName() = default;
  /// The name `text` (cut to `capacity` bytes).
  AttributeName(std::string_view text) { assign(text); } // NOLINT: converts like a string
  /// Sets the name to `text` (cut to `capacity` bytes).
  void assign(std::string_view text) {
    size_ = static_cast<unsigned char>(std::min(text.size(), capacity));
    std::copy_n(text.data(), size_, bytes_);
  }
  /// Sets the name to `text` (cut to `capacity` bytes).
  AttributeName &operator=(std::string_view text) {
    assign(text);
    return *this;
  }
  /// The name.
  std::string_view view() const { return {bytes_, size_}; }
  /// The name as a string.
  operator std::string() const { return std::string(view()); }
  /// True when no name is kept.
  bool empty() const { return size_ == 0; }
  /// Byte length of the name.
  std::size_t size() const { return size_; }
  /// Same name.
  friend bool operator==(const AttributeName &a, const AttributeName &b) {
    return a.view() == b.view();
  }
  /// Same name as `b`.
  friend bool operator==(const AttributeName &a, std::string_view b) { return a.view() == b; }
  /// Writes the name.
  friend std::ostream &operator<<(std::ostream &out, const AttributeName &name) {
    return out << name.view();
  }

private:
  char bytes_[capacity] = {};
  unsigned char size_ = 0;
};

/// One link of a page.
struct LinkRecord {
  /// Offset of the value's opening quote (attribute links) or of the character
  /// after the opening delimiter (absolute links).
  std::int32_t valueStart = 0;
  /// Offset of the closing quote or delimiter (exclusive end of the value).
  std::int32_t valueEnd = 0;
  /// The attribute name as written; empty for absolute links.
  AttributeName attribute;
  /// The resolved target: a disk path, a `file://` URL or an `http://` URL.
  std::string target;
  /// Local, site or remote; may hold a value outside the known types.
  LinkType type = LinkType::Local;
  /// Result of the check; Found until checked.
  LinkStatus status = LinkStatus::Found;

  /// Takes the room of one record from the calling thread's current slab.
  static void *operator new(std::size_t size);
  /// Gives the room back; a slab whose records are all gone is freed.
  static void operator delete(void *block, std::size_t size) noexcept;
};

/// Slabs of link records now allocated, over all threads (for tests and benchmarks).
std::size_t linkRecordSlabCount();
/// Bytes of one slab of link records.
inline constexpr std::size_t kLinkRecordSlabBytes = 256 * 1024;

} // namespace linkmoor
