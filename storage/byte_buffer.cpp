#include "storage/byte_buffer.h"

#include <new>

namespace linkmoor {

bool ByteBuffer::resize(std::int32_t n) {
  if (n <= 0) {
    free();
    return false;
  }
  if (n != size_ || !data_) {
    data_.reset();
    data_.reset(new (std::nothrow) char[static_cast<std::size_t>(n)]);
    size_ = data_ ? n : 0;
  }
  return data_ != nullptr;
}

void ByteBuffer::free() {
  data_.reset();
  size_ = 0;
}

} // namespace linkmoor
