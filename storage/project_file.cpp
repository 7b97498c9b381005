#include "storage/project_file.h"

#include "platform/file_system.h"
#include "storage/byte_buffer.h"
#include "storage/disk_file.h"
#include "storage/safe_file_write.h"

#include <cstring>

namespace linkmoor {

namespace {

std::int32_t fromLittleEndian(const unsigned char bytes[4]) {
  std::uint32_t value =
      static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
      static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
  return static_cast<std::int32_t>(value);
}

void toLittleEndian(std::int32_t signedValue, unsigned char bytes[4]) {
  std::uint32_t value = static_cast<std::uint32_t>(signedValue);
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

void parseRecords(std::string_view text,
                  const std::function<void(const ProjectFile::Fields &)> &onRecord) {
  ProjectFile::Fields fields;
  std::size_t pos = 0;
  for (;;) {
    std::size_t recordEnd = text.find(ProjectFile::kRecordEnd, pos);
    if (recordEnd == std::string_view::npos) return;
    std::string_view record = text.substr(pos, recordEnd - pos);
    fields.clear();
    std::size_t fieldStart = 0;
    for (;;) {
      std::size_t fieldEnd = record.find(ProjectFile::kFieldEnd, fieldStart);
      if (fieldEnd == std::string_view::npos) break;
      fields.push_back(record.substr(fieldStart, fieldEnd - fieldStart));
      fieldStart = fieldEnd + 1;
    }
    onRecord(fields);
    pos = recordEnd + 1;
  }
}

} // namespace

bool ProjectFile::load(const std::string &path, std::int32_t &selectedIndex,
                       const std::function<void(const Fields &)> &onRecord) {
  DiskFile file;
  // Only a missing file is created: an existing one that cannot be opened
  // (no permission, not a regular file) is left as it is.
  if (!file.openExisting(path, false) && !file.create(path, false, FilePrivacy::OwnerOnly)) {
    return false;
  }
  std::int64_t size = file.size();
  if (size <= 4 || size > kMaxFileSize) return false;

  unsigned char head[4];
  std::int32_t got = 0;
  if (!file.read(head, 4, &got) || got != 4) return false;
  selectedIndex = fromLittleEndian(head);

  ByteBuffer block;
  if (!block.resize(static_cast<std::int32_t>(size - 3))) return false;
  std::int32_t rest = 0;
  if (!file.read(block.data(), static_cast<std::int32_t>(size - 4), &rest)) return false;
  block.data()[rest] = '\0';
  file.close();

  // The records are scanned as a C string: a NUL ends them.
  std::string_view text(block.data(), std::strlen(block.data()));
  parseRecords(text, onRecord);
  return true;
}

ProjectFile::SaveResult ProjectFile::save(const std::string &path, std::int32_t selectedIndex,
                                          const std::string &records) {
  if (records.size() > static_cast<std::size_t>(kMaxFileSize - 4)) return SaveResult::WriteFailed;
  unsigned char head[4];
  toLittleEndian(selectedIndex, head);
  std::string bytes(reinterpret_cast<const char *>(head), 4);
  bytes += records;
  // The careful writer of the pages: a rename when that keeps the file's links,
  // owner and group, else an overwrite in place after a backup.
  switch (writeFileSafely(path, bytes, 0600, 0600)) {
  case WriteOutcome::NotOpened:
    return SaveResult::NotOpened;
  case WriteOutcome::Failed:
    return SaveResult::WriteFailed;
  case WriteOutcome::Written:
    break;
  }
  return SaveResult::Saved;
}

void ProjectFile::appendField(std::string &out, std::string_view text) {
  out.append(text);
  out.push_back(kFieldEnd);
}

void ProjectFile::appendField(std::string &out, std::int32_t value) {
  appendField(out, std::to_string(value));
}

bool ProjectFile::namesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

} // namespace linkmoor
