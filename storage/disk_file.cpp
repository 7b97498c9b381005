#include "storage/disk_file.h"

#include <cstdio>
#include <sys/stat.h>

namespace linkmoor {

DiskFile::~DiskFile() { close(); }

bool DiskFile::openExisting(const std::string &path, bool writable) {
  // The type is looked at before the open: opening a device or a FIFO can
  // block or act on it, so only a regular file is ever opened.
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    close();
    return false;
  }
  return file_.openExisting(path, writable);
}

bool DiskFile::openToRead(const std::string &path, std::int64_t &size) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    close();
    return false;
  }
  return file_.openToRead(path, size);
}

bool DiskFile::create(const std::string &path, bool replace, FilePrivacy privacy) {
  return file_.create(
      path, replace ? CreateDisposition::CreateAlways : CreateDisposition::CreateNew, privacy);
}

void DiskFile::close() { file_.close(); }

bool DiskFile::seek(std::int64_t distance, SeekOrigin origin) {
  int whence = origin == SeekOrigin::Begin     ? SEEK_SET
               : origin == SeekOrigin::Current ? SEEK_CUR
                                               : SEEK_END;
  return file_.seek(distance, whence) >= 0;
}

bool DiskFile::read(void *buffer, std::int32_t count, std::int32_t *bytesRead) {
  if (bytesRead) *bytesRead = 0;
  if (count < 0) return false;
  std::int64_t got = file_.read(buffer, count);
  if (got < 0) return false;
  if (bytesRead) *bytesRead = static_cast<std::int32_t>(got);
  return true;
}

bool DiskFile::write(const void *buffer, std::int32_t count) {
  const char *bytes = static_cast<const char *>(buffer);
  std::int32_t done = 0;
  while (done < count) {
    std::int32_t piece = count - done < kWritePiece ? count - done : kWritePiece;
    if (observer_) observer_(piece);
    if (file_.writeOnce(bytes + done, piece) != piece) return false;
    done += piece;
  }
  return true;
}

std::int64_t DiskFile::size() const {
  std::int64_t size = file_.size();
  return size < 0 ? 0 : size;
}

} // namespace linkmoor
