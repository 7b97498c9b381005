#pragma once
// A block of bytes of a stated size, used to hold a whole file in memory.

#include <cstdint>
#include <memory>

namespace linkmoor {

/// An owned block of bytes; resizing never carries the old content over.
class ByteBuffer {
public:
  ByteBuffer() = default;
  ByteBuffer(const ByteBuffer &) = delete;
  ByteBuffer &operator=(const ByteBuffer &) = delete;
  ByteBuffer(ByteBuffer &&) noexcept = default;
  ByteBuffer &operator=(ByteBuffer &&) noexcept = default;
  virtual ~ByteBuffer() = default;

  /// Makes the block `n` bytes long. When `n` differs from size() the old
  /// block is freed and a new, uninitialised one allocated; when it is equal
  /// the block and its content stay. Returns true if a block exists
  /// afterwards: false for `n` <= 0 (no block, size 0) or when the memory
  /// cannot be had (no block, size 0).
  bool resize(std::int32_t n);
  /// Frees the block; data() becomes null and size() 0.
  void free();

  /// The block, or null.
  char *data() { return data_.get(); }
  /// The block, or null.
  const char *data() const { return data_.get(); }
  /// Bytes in the block.
  std::int32_t size() const { return size_; }

private:
  std::unique_ptr<char[]> data_;
  std::int32_t size_ = 0;
};

} // namespace linkmoor
