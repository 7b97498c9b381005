#pragma once
// The extension list of the local main page: how many files of each extension the
// tree holds, kept sorted by extension without regard to case.

#include <string>
#include <vector>

namespace linkmoor {

/// One row of the extension list.
struct ExtensionStat {
  std::string extension;  ///< as first met; empty for names without "."
  int count = 0;          ///< files with this extension, any case
  bool supported = false; ///< "htm" or "html", any case
};

/// The extensions met while walking a tree.
class ExtensionStats {
public:
  /// The text after the last "." of `fileName`; empty when it has no ".".
  static std::string extensionOf(const std::string &fileName);
  /// True for "htm" and "html" in any case.
  static bool isSupported(const std::string &extension);
  /// Compares ASCII letters without regard to case (other bytes as unsigned values):
  /// negative, 0 or positive.
  static int compareNoCase(const std::string &a, const std::string &b);

  /// Counts `fileName` under its extension: the stat is found by binary search or
  /// inserted at its sorted place with the spelling of this name.
  void add(const std::string &fileName);
  /// Forgets every extension.
  void clear() { stats_.clear(); }
  /// All extensions, sorted without regard to case.
  const std::vector<ExtensionStat> &sorted() const { return stats_; }
  /// The list's order: the supported extensions, then the others, each sorted.
  std::vector<ExtensionStat> displayOrder() const;

private:
  std::vector<ExtensionStat> stats_;
};

/// True when `fileName` is an HTML page for the trees: its extension is exactly "htm"
/// or "html" (case matters) and its last "." is not its first character.
bool isHtmlFileName(const std::string &fileName);

} // namespace linkmoor
