#pragma once
// One open file. There are no sharing locks on this system: every file is
// open for shared reading and writing, as the callers expect.

#include "platform/posix_file.h"

#include <cstdint>
#include <functional>
#include <string>

namespace linkmoor {

/// Starting point of `DiskFile::seek`.
enum class SeekOrigin { Begin, Current, End };

/// One open file; the destructor closes it. Only regular files can be opened.
class DiskFile {
public:
  /// Largest piece handed to the system by one write call.
  static constexpr int kWritePiece = 1024;

  DiskFile() = default;
  DiskFile(const DiskFile &) = delete;
  DiskFile &operator=(const DiskFile &) = delete;
  virtual ~DiskFile();

  /// Opens an existing file, read and write when `writable`, else read only.
  /// Closes any open file first. Returns true if the file is open. The type is
  /// looked at first: a name that is not a regular file (a device, a FIFO, a
  /// folder) is never opened.
  bool openExisting(const std::string &path, bool writable);
  /// openExisting read only, for a file read once whole: stores its size in `size`
  /// from the look that tells its type, so no further call is needed for it.
  bool openToRead(const std::string &path, std::int64_t &size);
  /// Creates a file for reading and writing, closing any open file first.
  /// With `replace` an existing file is emptied ("create always"); without
  /// it the call fails when the file exists ("create new") and nothing is held.
  /// `privacy` OwnerOnly gives the file mode 0600.
  bool create(const std::string &path, bool replace, FilePrivacy privacy = FilePrivacy::Shared);
  /// Creates a new file of mode 0600 named `prefix` followed by six random
  /// characters, for reading and writing; stores the name in `createdPath`.
  bool createTemporary(const std::string &prefix, std::string &createdPath) {
    return file_.createUnique(prefix, createdPath);
  }
  /// Closes the file; does nothing when none is open. The size is left as it
  /// is: callers that rewrote a file call setEndOfFile() first.
  void close();
  /// True while a file is open.
  bool isOpen() const { return file_.isOpen(); }

  /// Moves the file position; false only when the system refuses (no file,
  /// or a position before the start).
  bool seek(std::int64_t distance, SeekOrigin origin);
  /// The file position, or -1 when no file is open.
  std::int64_t position() const { return file_.position(); }
  /// Reads up to `count` bytes (fewer only at the end of the file); stores the
  /// number read in `bytesRead` if given. Returns false on a system error or
  /// when no file is open.
  bool read(void *buffer, std::int32_t count, std::int32_t *bytesRead = nullptr);
  /// Writes `count` bytes in pieces of at most 1024 bytes; false as soon as a
  /// piece fails or is written short. A count of 0 or less writes nothing and
  /// returns true.
  bool write(const void *buffer, std::int32_t count);
  /// The file's size in bytes (all 64 bits), or 0 when no file is open.
  std::int64_t size() const;
  /// Cuts the file at the current position.
  bool setEndOfFile() { return file_.truncateAtPosition(); }
  /// Flushes written data to the disk.
  bool flush() { return file_.syncToDisk(); }

  /// Test hook: called with the size of every piece handed to the system.
  void setPieceObserver(std::function<void(int)> observer) { observer_ = std::move(observer); }

private:
  PosixFile file_;
  std::function<void(int)> observer_;
};

} // namespace linkmoor
