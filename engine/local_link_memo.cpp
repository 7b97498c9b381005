#include "engine/local_link_memo.h"

#include "engine/text_bounds.h"

namespace linkmoor {

namespace {

// Bookkeeping of a map node besides its two strings' bytes.
constexpr std::size_t kEntryOverhead = 96;

} // namespace

void LocalLinkMemo::startPage(const std::string &base, const std::string &root,
                              const LinkChecker *checker, int links) {
  if (base != base_ || root != root_ || checker != checker_ || bytes_ > kByteLimit) {
    entries_.clear();
    bytes_ = 0;
    base_ = base;
    root_ = root;
    checker_ = checker;
  }
  pageEntries.assign(static_cast<std::size_t>(links > 0 ? links : 0), nullptr);
}

MemoTarget *LocalLinkMemo::find(std::string_view value) {
  const auto it = entries_.find(value);
  return it == entries_.end() ? nullptr : &it->second;
}

MemoTarget *LocalLinkMemo::add(std::string_view value, const std::string &target) {
  if (bytes_ > kByteLimit) return nullptr;
  bytes_ += value.size() + target.size() + kEntryOverhead;
  auto [it, added] = entries_.try_emplace(std::string(value));
  if (added) it->second.target = target;
  return &it->second;
}

bool LocalLinkMemo::sameForTheFolder(std::string_view value) {
  while (!value.empty() && scantext::isBlank(value.front()))
    value.remove_prefix(1);
  return value.empty() || (value.front() != '#' && value.front() != '?');
}

} // namespace linkmoor
