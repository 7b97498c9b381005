#include "engine/page_reading.h"

#include "storage/disk_file.h"

#include <cstring>

namespace linkmoor {

PageRead readPage(const std::string &path, ByteBuffer &buffer, std::int32_t &size) {
  size = 0;
  DiskFile file;
  if (!file.openExisting(path, false)) return PageRead::CannotOpen;
  const std::int64_t fileSize = file.size();
  if (fileSize == 0) return PageRead::Empty;
  // Cutting the size to its low 32 bits would analyse a fragment of a huge file,
  // or call a file of exactly 4 GiB empty.
  if (fileSize < 0 || fileSize > kLargestPage) return PageRead::CannotRead;

  const auto length = static_cast<std::int32_t>(fileSize);
  if (!buffer.resize(length + 1)) return PageRead::CannotRead;
  std::int32_t got = 0;
  // A file that shrank since its size was taken gives fewer bytes: not the whole text.
  if (!file.read(buffer.data(), length, &got) || got != length) return PageRead::CannotRead;
  file.close();

  buffer.data()[length] = '\0';
  size = length;
  if (std::memchr(buffer.data(), 0, static_cast<std::size_t>(length)) != nullptr)
    return PageRead::Binary;
  return PageRead::Text;
}

} // namespace linkmoor
