#pragma once
// A file written beside its target under a temporary name and put in the target's
// place in one step only when it is complete, so that an interrupted write never
// leaves a half-written target behind.

#include <cstddef>
#include <string>

namespace linkmoor {

/// The new content of one file, in the making.
class ReplacingFile {
public:
  ReplacingFile() = default;
  /// Removes the temporary file unless it was committed.
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile &) = delete;
  ReplacingFile &operator=(const ReplacingFile &) = delete;

  /// Creates the temporary file beside `target`. False when `target` names a folder or
  /// the temporary file cannot be made.
  bool open(const std::string &target);
  /// Appends `size` bytes in chunks of at most 1024 bytes; false when a chunk fails or
  /// is written short.
  bool write(const char *data, std::size_t size);
  /// Gives the file the usual permissions (those of a replaced file, else 0666 less the
  /// umask) and renames it over the target. False when that fails; the target is then
  /// unchanged.
  bool commit();
  /// Removes the temporary file; the target stays as it was.
  void discard();

private:
  int fd_ = -1;
  std::string target_;
  std::string temporary_;
};

} // namespace linkmoor
