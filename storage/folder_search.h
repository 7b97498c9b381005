#pragma once
// One directory search with a name pattern, in the manner of "folder/*.*".
//
// The pattern is a folder path, "/", and a name mask; without a "/" the
// folder is the current one. The mask knows two wildcards, "*" (any run of
// characters, also none) and "?" (one character); every other character,
// "[" included, stands for itself, and case matters as it does on this file
// system. A mask that ends in ".*" also matches the name without that ending,
// so "*.*" matches every name, also one without a dot, and "page.*" matches
// "page". A mask without wildcards finds the one entry of that name, which
// makes a search a test for whether an entry exists.
//
// The entries "." and ".." are reported like any other (both are
// directories, and "*" or "*.*" match them), so a search in an existing but
// empty folder still finds something; callers that walk a folder skip them.
// They come first, then the other matches sorted by name without regard to
// ASCII case (ties by byte order), so a listing is the same on every run.
// The folder is read once when the search starts: entries made or removed
// while walking do not change the walk.

#include "platform/file_system.h"

#include <string>
#include <vector>

namespace linkmoor {

/// One running directory search.
class FolderSearch {
public:
  FolderSearch() = default;
  FolderSearch(const FolderSearch &) = delete;
  FolderSearch &operator=(const FolderSearch &) = delete;
  virtual ~FolderSearch() { end(); }

  /// Ends any running search and starts one for `pattern`. Returns true if an
  /// entry was found; it is then the found entry.
  bool start(const std::string &pattern);
  /// Moves to the next match; returns false (and ends the search) when there
  /// is none.
  bool next();
  /// Ends the running search; does nothing when none runs.
  void end();
  /// True while a search runs and has a found entry.
  bool isRunning() const { return running_; }

  /// The found entry (empty name when no search runs).
  const FolderEntry &found() const { return current_; }
  /// Name of the found entry.
  const std::string &name() const { return current_.name; }
  /// Whether the found entry is a directory (symbolic links are not).
  bool isDirectory() const { return current_.isDirectory; }

  /// Whether `name` matches `mask` by the rules above.
  static bool matches(const std::string &mask, const std::string &name);

private:
  std::vector<FolderEntry> matches_;
  std::size_t index_ = 0;
  FolderEntry current_;
  bool running_ = false;
};

} // namespace linkmoor
