#pragma once
// One open file descriptor with the few operations the storage layer needs.
// Only regular files are opened: directories, FIFOs and devices are refused so
// that a read never blocks and never returns directory data.

#include <cstdint>
#include <string>
#include <sys/stat.h>

namespace linkmoor {

/// What `PosixFile::create` does when the file exists already.
enum class CreateDisposition {
  CreateNew,   ///< fail when the file exists
  CreateAlways ///< truncate an existing file to 0 bytes
};

/// Who may read and write a file that `PosixFile::create` makes.
enum class FilePrivacy {
  Shared,   ///< 0666 less the process umask
  OwnerOnly ///< 0600; an existing file that is truncated is set to 0600 too
};

/// Owner of one file descriptor; closes it on destruction.
class PosixFile {
public:
  PosixFile() = default;
  ~PosixFile();
  PosixFile(const PosixFile &) = delete;
  PosixFile &operator=(const PosixFile &) = delete;
  PosixFile(PosixFile &&other) noexcept;
  PosixFile &operator=(PosixFile &&other) noexcept;

  /// Opens an existing regular file, read only or read and write. Closes any
  /// open file first. Returns false (and holds nothing) when that fails.
  bool openExisting(const std::string &path, bool writable);
  /// Opens an existing regular file read only and stores its size in `size`, from
  /// the same look at the descriptor that tells its type: the fewest system calls
  /// for a file that is read once, whole. Closes any open file first.
  bool openToRead(const std::string &path, std::int64_t &size);
  /// Creates `path` for reading and writing. Closes any open file first.
  bool create(const std::string &path, CreateDisposition disposition, FilePrivacy privacy);
  /// Creates a new file with mode 0600 whose name is `prefix` followed by six
  /// random characters; stores its name in `createdPath`.
  bool createUnique(const std::string &prefix, std::string &createdPath);
  /// Closes the descriptor; does nothing when none is open.
  void close();
  /// True while a descriptor is held.
  bool isOpen() const { return fd_ >= 0; }

  /// Reads up to `count` bytes, going on after short reads until `count`
  /// bytes or the end of the file. Returns the bytes read, or -1 on error.
  std::int64_t read(void *buffer, std::int64_t count);
  /// One write call (repeated only when interrupted by a signal). Returns the
  /// bytes written, or -1 on error.
  std::int64_t writeOnce(const void *buffer, std::int64_t count);
  /// Moves the position; `whence` is SEEK_SET, SEEK_CUR or SEEK_END.
  /// Returns the new position, or -1 on error.
  std::int64_t seek(std::int64_t distance, int whence);
  /// The current position, or -1 when no file is open.
  std::int64_t position() const;
  /// Cuts the file at the current position.
  bool truncateAtPosition();
  /// The file's size in bytes, or -1 when no file is open.
  std::int64_t size() const;
  /// Flushes written data to the disk.
  bool syncToDisk();

private:
  bool adopt(int fd, struct stat *seen = nullptr);
  int fd_ = -1;
};

} // namespace linkmoor
