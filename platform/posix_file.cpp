#include "platform/posix_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace linkmoor {

PosixFile::~PosixFile() { close(); }

PosixFile::PosixFile(PosixFile &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

PosixFile &PosixFile::operator=(PosixFile &&other) noexcept {
  if (this != &other) {
    close();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

// Keeps `fd` only if it names a regular file. The descriptor was opened with
// O_NONBLOCK so that a FIFO cannot block the open; the flag is cleared here.
bool PosixFile::adopt(int fd, struct stat *seen) {
  if (fd < 0) return false;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  if (seen) {
    // Reading a regular file never waits, so O_NONBLOCK changes nothing for a
    // file that is only read: the two calls that clear it are saved.
    *seen = info;
    fd_ = fd;
    return true;
  }
  int flags = fcntl(fd, F_GETFL);
  if (flags != -1) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  fd_ = fd;
  return true;
}

bool PosixFile::openExisting(const std::string &path, bool writable) {
  close();
  int fd = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
  return adopt(fd);
}

bool PosixFile::openToRead(const std::string &path, std::int64_t &size) {
  close();
  struct stat info {};
  if (!adopt(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK), &info)) return false;
  size = info.st_size;
  return true;
}

bool PosixFile::create(const std::string &path, CreateDisposition disposition,
                       FilePrivacy privacy) {
  close();
  int flags = O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK;
  flags |= disposition == CreateDisposition::CreateNew ? O_EXCL : O_TRUNC;
  mode_t mode = privacy == FilePrivacy::OwnerOnly ? 0600 : 0666;
  int fd = ::open(path.c_str(), flags, mode);
  if (!adopt(fd)) return false;
  // An existing file keeps its mode through O_TRUNC; a private file must not.
  if (privacy == FilePrivacy::OwnerOnly) fchmod(fd_, 0600);
  return true;
}

bool PosixFile::createUnique(const std::string &prefix, std::string &createdPath) {
  close();
  std::vector<char> name(prefix.begin(), prefix.end());
  for (char c : std::string("XXXXXX"))
    name.push_back(c);
  name.push_back('\0');
  int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return false;
  fd_ = fd;
  createdPath = name.data();
  return true;
}

void PosixFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

std::int64_t PosixFile::read(void *buffer, std::int64_t count) {
  if (fd_ < 0 || count < 0) return -1;
  auto *out = static_cast<char *>(buffer);
  std::int64_t done = 0;
  while (done < count) {
    ssize_t got = ::read(fd_, out + done, static_cast<size_t>(count - done));
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (got == 0) break;
    done += got;
  }
  return done;
}

std::int64_t PosixFile::writeOnce(const void *buffer, std::int64_t count) {
  if (fd_ < 0 || count < 0) return -1;
  for (;;) {
    ssize_t put = ::write(fd_, buffer, static_cast<size_t>(count));
    if (put < 0 && errno == EINTR) continue;
    return put;
  }
}

std::int64_t PosixFile::seek(std::int64_t distance, int whence) {
  if (fd_ < 0) return -1;
  return lseek(fd_, static_cast<off_t>(distance), whence);
}

std::int64_t PosixFile::position() const {
  if (fd_ < 0) return -1;
  return lseek(fd_, 0, SEEK_CUR);
}

bool PosixFile::truncateAtPosition() {
  std::int64_t here = position();
  if (here < 0) return false;
  return ftruncate(fd_, static_cast<off_t>(here)) == 0;
}

std::int64_t PosixFile::size() const {
  if (fd_ < 0) return -1;
  struct stat info {};
  if (fstat(fd_, &info) != 0) return -1;
  return info.st_size;
}

bool PosixFile::syncToDisk() { return fd_ >= 0 && fsync(fd_) == 0; }

} // namespace linkmoor
