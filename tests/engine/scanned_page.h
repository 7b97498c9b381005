#pragma once
// A page run through the scanner steps the way an analysis pass does, on
// buffers of exactly the text's size (no zero byte after them), so that the
// sanitizer build catches any read past the end.

#include "engine/html_scanner.h"

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace linkmoor::test {

/// Owns a loaded text and its working copy, and the scanner of both.
class ScannedPage {
public:
  /// Copies `text`, lower-cases the working copy and scans it; with `noteLinks`
  /// by scanForLinks, whose noted values extractLinks() then takes.
  explicit ScannedPage(std::string_view text, bool noteLinks = false)
      : size_(text.size()), loaded_(new char[size_ ? size_ : 1]),
        work_(new char[size_ ? size_ : 1]), noteLinks_(noteLinks) {
    std::memcpy(loaded_.get(), text.data(), size_);
    std::memcpy(work_.get(), text.data(), size_);
    HtmlScanner::lowerCase(work(), workEnd());
    if (noteLinks)
      scanner.scanForLinks(work(), workEnd());
    else
      scanner.scan(work(), workEnd());
  }

  /// Blanking, case restoring and slashes, as before the link phase.
  void prepareForLinks(bool keepLineFeeds) {
    scanner.blankForLinks(work(), workEnd(), keepLineFeeds);
    HtmlScanner::restoreCase(work(), workEnd(), loaded_.get(), loaded_.get() + size_);
    HtmlScanner::slashes(work(), workEnd());
  }

  /// prepareForLinks(false) and both link searches.
  void extractLinks() {
    prepareForLinks(false);
    if (noteLinks_)
      scanner.extractNotedLinks(work(), workEnd());
    else
      scanner.extractLinks(work(), workEnd());
  }

  char *work() { return work_.get(); }
  char *workEnd() { return work_.get() + size_; }
  /// The working text as it is now.
  std::string workText() const { return std::string(work_.get(), size_); }
  /// The working text from `from` to `to`.
  std::string slice(int from, int to) const {
    return std::string(work_.get() + from, static_cast<std::size_t>(to - from));
  }
  /// Value of link `i` as written, without its opening quote.
  std::string linkValue(int i) const {
    const LinkRecord *link = scanner.links.at(i);
    int from = link->valueStart;
    if (work_[static_cast<std::size_t>(from)] == '"' ||
        work_[static_cast<std::size_t>(from)] == '\'')
      ++from;
    return slice(from, link->valueEnd);
  }
  /// Segment `i`.
  const MarkupSegment &segment(int i) const { return *scanner.at(i); }

  HtmlScanner scanner;

private:
  std::size_t size_;
  std::unique_ptr<char[]> loaded_;
  std::unique_ptr<char[]> work_;
  bool noteLinks_;
};

} // namespace linkmoor::test
