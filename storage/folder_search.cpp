#include "storage/folder_search.h"

#include <algorithm>
#include <fnmatch.h>

namespace linkmoor {

namespace {

// fnmatch knows bracket classes and backslash escapes; the masks here do not,
// so those characters are escaped to stand for themselves.
std::string toFnmatchPattern(const std::string &mask) {
  std::string out;
  out.reserve(mask.size() * 2);
  for (char c : mask) {
    if (c == '[' || c == ']' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares without regard to ASCII case: negative, 0 or positive.
int compareCaseless(const std::string &a, const std::string &b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = static_cast<unsigned char>(asciiLower(a[i]));
    unsigned char y = static_cast<unsigned char>(asciiLower(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool listingOrder(const FolderEntry &a, const FolderEntry &b) {
  auto rank = [](const std::string &name) { return name == "." ? 0 : name == ".." ? 1 : 2; };
  if (rank(a.name) != rank(b.name)) return rank(a.name) < rank(b.name);
  int order = compareCaseless(a.name, b.name);
  return order != 0 ? order < 0 : a.name < b.name;
}

} // namespace

bool FolderSearch::matches(const std::string &mask, const std::string &name) {
  if (fnmatch(toFnmatchPattern(mask).c_str(), name.c_str(), 0) == 0) return true;
  if (mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0) {
    std::string shorter = mask.substr(0, mask.size() - 2);
    return fnmatch(toFnmatchPattern(shorter).c_str(), name.c_str(), 0) == 0;
  }
  return false;
}

bool FolderSearch::start(const std::string &pattern) {
  end();
  std::string folder;
  std::string mask;
  std::size_t slash = pattern.rfind('/');
  if (slash == std::string::npos) {
    folder = ".";
    mask = pattern;
  } else {
    folder = slash == 0 ? "/" : pattern.substr(0, slash);
    mask = pattern.substr(slash + 1);
  }
  if (mask.empty()) return false;
  std::vector<FolderEntry> entries;
  if (!listFolder(folder, entries)) return false;
  for (auto &entry : entries) {
    if (matches(mask, entry.name)) matches_.push_back(std::move(entry));
  }
  if (matches_.empty()) return false;
  std::sort(matches_.begin(), matches_.end(), listingOrder);
  running_ = true;
  index_ = 0;
  current_ = matches_[0];
  return true;
}

bool FolderSearch::next() {
  if (!running_) return false;
  if (++index_ >= matches_.size()) {
    end();
    return false;
  }
  current_ = matches_[index_];
  return true;
}

void FolderSearch::end() {
  matches_.clear();
  index_ = 0;
  current_ = FolderEntry();
  running_ = false;
}

} // namespace linkmoor
