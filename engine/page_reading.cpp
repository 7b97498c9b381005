#include "engine/page_reading.h"

#include "storage/disk_file.h"
#include "storage/file_name_text.h"

#include <algorithm>
#include <cstring>

namespace linkmoor {

namespace {

// Bytes looked at for a zero byte before the rest of a page is read.
constexpr std::int32_t kFirstBlock = 64 * 1024;

} // namespace

PageRead PageFile::open(const std::string &path) {
  size_ = 0;
  std::int64_t fileSize = 0;
  // A name that is not UTF-8 reaches here in its carried form when it came
  // through text-only layers (the windowed program's lists).
  if (!file_.openToRead(path, fileSize) &&
      !(holdsCarriedBytes(path) && file_.openToRead(bytesOfCarried(path), fileSize)))
    return PageRead::CannotOpen;
  const PageRead result = fileSize == 0 ? PageRead::Empty
                          // Cutting the size to its low 32 bits would analyse a fragment
                          // of a huge file, or call a file of exactly 4 GiB empty.
                          : fileSize < 0 || fileSize > kLargestPage ? PageRead::CannotRead
                                                                    : PageRead::Text;
  if (result == PageRead::Text)
    size_ = fileSize;
  else
    file_.close();
  return result;
}

PageRead PageFile::read(ByteBuffer &buffer, std::int32_t &size) {
  size = 0;
  if (!file_.isOpen()) return PageRead::CannotOpen;
  DiskFile &file = file_;
  const std::int64_t fileSize = size_;

  // The first block tells a binary file before the rest is read or memory is
  // taken for it.
  const auto first = static_cast<std::int32_t>(std::min<std::int64_t>(fileSize, kFirstBlock));
  char head[kFirstBlock];
  std::int32_t got = 0;
  if (!file.read(head, first, &got) || got != first) {
    file.close();
    return PageRead::CannotRead;
  }
  if (std::memchr(head, 0, static_cast<std::size_t>(first)) != nullptr) {
    file.close();
    size = static_cast<std::int32_t>(fileSize);
    return PageRead::Binary;
  }

  const auto length = static_cast<std::int32_t>(fileSize);
  if (!buffer.resize(length + 1)) {
    file.close();
    return PageRead::CannotRead;
  }
  std::memcpy(buffer.data(), head, static_cast<std::size_t>(first));
  std::int32_t rest = 0;
  // A file that shrank since its size was taken gives fewer bytes: not the whole text.
  const bool whole = length == first || (file.read(buffer.data() + first, length - first, &rest) &&
                                         rest == length - first);
  file.close();
  if (!whole) return PageRead::CannotRead;

  buffer.data()[length] = '\0';
  size = length;
  if (std::memchr(buffer.data() + first, 0, static_cast<std::size_t>(length - first)) != nullptr)
    return PageRead::Binary;
  return PageRead::Text;
}

PageRead readPage(const std::string &path, ByteBuffer &buffer, std::int32_t &size) {
  size = 0;
  PageFile file;
  const PageRead opened = file.open(path);
  if (opened != PageRead::Text) return opened;
  return file.read(buffer, size);
}

} // namespace linkmoor
