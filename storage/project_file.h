#pragma once
// The byte layout shared by the two project files: a 4-byte selected index
// (signed, little-endian), then records one after another. Each field of a
// record is followed by the byte 0xB6, each record by the byte 0xA5; texts
// are stored as they stand and numbers as decimal text. Nothing is escaped,
// so a text holding one of the two marker bytes breaks the record on the
// next load.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace linkmoor {

/// Reader and writer of the project-file frame.
class ProjectFile {
public:
  /// Byte behind every field.
  static constexpr char kFieldEnd = '\xB6';
  /// Byte behind every record.
  static constexpr char kRecordEnd = '\xA5';

  /// The complete fields of one record, in file order. A field without its
  /// end byte is not among them.
  using Fields = std::vector<std::string_view>;

  /// How a save ended.
  enum class SaveResult {
    NotOpened,   ///< no file could be made (for example, the folder is missing)
    WriteFailed, ///< writing failed; the file on disk was left as it was
    Saved        ///< the new content replaced the file
  };

  /// Reads the file at `path`. A missing file is created empty (mode 0600);
  /// an existing file that cannot be opened is left alone.
  /// Returns false, with `selectedIndex` unchanged and no record reported,
  /// when no file can be opened or it holds 4 bytes or less. Otherwise the
  /// stored index goes to `selectedIndex` and `onRecord` is called for every
  /// record that ends with its end byte; bytes behind the last one, and every
  /// byte behind a NUL, are ignored. Returns false if the records could not
  /// be read (the index then keeps the value read).
  static bool load(const std::string &path, std::int32_t &selectedIndex,
                   const std::function<void(const Fields &)> &onRecord);

  /// Replaces the file at `path` by the index and the records' bytes with
  /// writeFileSafely (storage/safe_file_write.h): through a new file beside it
  /// renamed over the old one when that keeps its links, owner and group, else
  /// in place after a backup; a failure never damages the list on disk. The
  /// file gets (or keeps) mode 0600: it may hold passwords. A symbolic link at `path` is kept and
  /// the file it points to replaced.
  static SaveResult save(const std::string &path, std::int32_t selectedIndex,
                         const std::string &records);

  /// Appends `text` and the field end byte.
  static void appendField(std::string &out, std::string_view text);
  /// Appends `value` as "%d" text and the field end byte.
  static void appendField(std::string &out, std::int32_t value);
  /// Appends the record end byte.
  static void endRecord(std::string &out) { out.push_back(kRecordEnd); }

  /// Whether two project names are equal without regard to case. Only ASCII
  /// letters are folded; other bytes, and so every multi-byte character,
  /// must match whole.
  static bool namesEqual(std::string_view a, std::string_view b);

  /// Files larger than this are not read (the records block must fit a
  /// 32-bit size).
  static constexpr std::int64_t kMaxFileSize = 0x7FFFFFFF;
};

} // namespace linkmoor
