#pragma once
// Reading one page file whole into memory, with the reasons a file cannot be
// treated as text.

#include "storage/byte_buffer.h"
#include "storage/disk_file.h"

#include <cstdint>
#include <string>

namespace linkmoor {

/// How reading a page ended.
enum class PageRead {
  Text,       ///< Read whole; the buffer holds the text and a zero byte after it.
  CannotOpen, ///< Missing, not a regular file, or no permission.
  Empty,      ///< The file has no bytes; the buffer is not touched.
  CannotRead, ///< Too large for the 32-bit offsets, no memory, or the read failed.
  Binary,     ///< A zero byte among the text's bytes.
};

/// Largest page the engine reads: its offsets are 32-bit and the buffer holds one
/// more byte than the text.
constexpr std::int64_t kLargestPage = INT32_MAX - 1;

/// Opens `path` read only, reads it whole into `buffer` (resized to size + 1 bytes
/// when its size differs) and puts a zero byte after the text. `size` receives
/// the text's size when the file could be read (Text or Binary), else 0. The file
/// is closed before the call returns.
///
/// Only a regular file is opened: the type is looked at before the open, so a
/// device or FIFO behind the name is never touched. The first block is looked at
/// before the rest is read: a zero byte there gives Binary at once, with
/// `buffer` untouched, however large the file. A path in the carried form of
/// storage/file_name_text.h that names no file is tried by its bytes.
PageRead readPage(const std::string &path, ByteBuffer &buffer, std::int32_t &size);

/// readPage in two steps, for a caller that sets memory aside for a page before
/// its bytes are read: open() tells the size, read() reads the page.
class PageFile {
public:
  /// Opens `path` as readPage does. Text when there are bytes to read; otherwise
  /// CannotOpen, Empty or CannotRead (too large), and nothing is held.
  PageRead open(const std::string &path);
  /// Bytes of the file opened, 0 when none is.
  std::int64_t size() const { return size_; }
  /// Reads the file opened whole into `buffer` and closes it, with readPage's
  /// results; CannotOpen when open() did not give Text.
  PageRead read(ByteBuffer &buffer, std::int32_t &size);

private:
  DiskFile file_;
  std::int64_t size_ = 0;
};

} // namespace linkmoor
