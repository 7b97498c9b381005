#pragma once
// A local link value resolves to the same target from every page of a folder.
// A thread that analyses one page after another keeps what the values of the
// current folder gave (their targets, and their disk results when the checker
// keeps those for the whole job) instead of resolving and checking each again:
// most pages of a site repeat their folder's navigation links.

#include "engine/result_codes.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace linkmoor {

class LinkChecker;

/// What one link value gave in the current folder.
struct MemoTarget {
  /// The resolved target.
  std::string target;
  /// The disk result; meaningful only when `checked`.
  LinkStatus status = LinkStatus::Found;
  /// True once the disk result is known.
  bool checked = false;
};

/// The targets and disk results of the local link values of one folder.
class LocalLinkMemo {
public:
  /// Room the memo may take; past it no value is added until the next page.
  static constexpr std::size_t kByteLimit = 4 << 20;

  /// Starts a page of `links` links in `base` (its folder under the root)
  /// under `root`, checked by `checker`: the memo is emptied when it was for
  /// another folder, root or checker or is full, and pageEntries is reset.
  void startPage(const std::string &base, const std::string &root, const LinkChecker *checker,
                 int links);

  /// The entry of `value`, or nullptr.
  MemoTarget *find(std::string_view value);
  /// Keeps `target` for `value`; nullptr (nothing kept) when the memo is full.
  MemoTarget *add(std::string_view value, const std::string &target);

  /// True when `value` resolves alike from every page of a folder: it does not
  /// start (after blanks) with an anchor or a query, which refer to the page.
  static bool sameForTheFolder(std::string_view value);

  /// Per link of the current page: its entry, or nullptr when it has none.
  std::vector<MemoTarget *> pageEntries;

private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };
  std::unordered_map<std::string, MemoTarget, Hash, std::equal_to<>> entries_;
  std::string base_;
  std::string root_;
  const LinkChecker *checker_ = nullptr;
  std::size_t bytes_ = 0;
};

} // namespace linkmoor
