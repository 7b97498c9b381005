#include "engine/page_reading.h"

#include "storage/disk_file.h"
#include "storage/file_name_text.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace linkmoor {

namespace {

// Bytes looked at for a zero byte before the rest of a page is read.
constexpr std::int32_t kFirstBlock = 64 * 1024;

// Opens `path` only when it names a regular file: a device, FIFO or socket is
// never opened, as opening one can block or act on the device.
bool openRegular(const std::string &path, DiskFile &file) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  return file.openExisting(path, false);
}

} // namespace

PageRead readPage(const std::string &path, ByteBuffer &buffer, std::int32_t &size) {
  size = 0;
  DiskFile file;
  // A name that is not UTF-8 reaches here in its carried form when it came
  // through text-only layers (the windowed program's lists).
  if (!openRegular(path, file) &&
      !(holdsCarriedBytes(path) && openRegular(bytesOfCarried(path), file)))
    return PageRead::CannotOpen;
  const std::int64_t fileSize = file.size();
  if (fileSize == 0) return PageRead::Empty;
  // Cutting the size to its low 32 bits would analyse a fragment of a huge file,
  // or call a file of exactly 4 GiB empty.
  if (fileSize < 0 || fileSize > kLargestPage) return PageRead::CannotRead;

  // The first block tells a binary file before the rest is read or memory is
  // taken for it.
  const auto first = static_cast<std::int32_t>(std::min<std::int64_t>(fileSize, kFirstBlock));
  char head[kFirstBlock];
  std::int32_t got = 0;
  if (!file.read(head, first, &got) || got != first) return PageRead::CannotRead;
  if (std::memchr(head, 0, static_cast<std::size_t>(first)) != nullptr) {
    size = static_cast<std::int32_t>(fileSize);
    return PageRead::Binary;
  }

  const auto length = static_cast<std::int32_t>(fileSize);
  if (!buffer.resize(length + 1)) return PageRead::CannotRead;
  std::memcpy(buffer.data(), head, static_cast<std::size_t>(first));
  std::int32_t rest = 0;
  // A file that shrank since its size was taken gives fewer bytes: not the whole text.
  if (length > first &&
      (!file.read(buffer.data() + first, length - first, &rest) || rest != length - first))
    return PageRead::CannotRead;
  file.close();

  buffer.data()[length] = '\0';
  size = length;
  if (std::memchr(buffer.data() + first, 0, static_cast<std::size_t>(length - first)) != nullptr)
    return PageRead::Binary;
  return PageRead::Text;
}

} // namespace linkmoor
