#include "storage/char_buffer.h"

#include <cstring>
#include <limits>

namespace linkmoor {

namespace {
// Length of the NUL-terminated `text`, but no more than `limit` when `limit`
// is not negative, so a count never reads past what the caller promised.
int boundedLength(const char *text, int limit) {
  std::size_t max =
      limit < 0 ? static_cast<std::size_t>(std::numeric_limits<int>::max() - 1 - CharBuffer::kSlack)
                : static_cast<std::size_t>(limit);
  return static_cast<int>(strnlen(text, max));
}
} // namespace

CharBuffer::CharBuffer() : data_(new char[kSlack]), length_(0), capacity_(kSlack) {
  data_[0] = '\0';
}

CharBuffer::CharBuffer(std::string_view text) : CharBuffer() { assign(text); }

CharBuffer::CharBuffer(const CharBuffer &other) : CharBuffer() {
  setText(other.data(), other.length());
}

CharBuffer &CharBuffer::operator=(const CharBuffer &other) {
  if (this != &other) setText(other.data(), other.length());
  return *this;
}

CharBuffer::CharBuffer(CharBuffer &&other) noexcept : CharBuffer() {
  data_.swap(other.data_);
  std::swap(length_, other.length_);
  std::swap(capacity_, other.capacity_);
}

CharBuffer &CharBuffer::operator=(CharBuffer &&other) noexcept {
  data_.swap(other.data_);
  std::swap(length_, other.length_);
  std::swap(capacity_, other.capacity_);
  return *this;
}

void CharBuffer::assign(const char *text, int count) {
  if (count == 0 || text == nullptr) {
    setText("", 0);
    return;
  }
  setText(text, boundedLength(text, count));
}

void CharBuffer::assign(std::string_view text) {
  std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  setText(text.data(), static_cast<int>(text.size()));
}

void CharBuffer::setText(const char *text, int count) {
  if (count >= capacity_ || count < capacity_ - kShrinkSlack) {
    std::unique_ptr<char[]> block(new char[static_cast<std::size_t>(count) + kSlack]);
    std::memcpy(block.get(), text, static_cast<std::size_t>(count));
    data_ = std::move(block);
    capacity_ = count + kSlack;
  } else {
    std::memmove(data_.get(), text, static_cast<std::size_t>(count));
  }
  length_ = count;
  data_[count] = '\0';
}

bool CharBuffer::dropLast() {
  if (length_ == 0) return false;
  --length_;
  if (length_ < capacity_ - kShrinkSlack) {
    std::unique_ptr<char[]> block(new char[static_cast<std::size_t>(length_) + kSlack]);
    std::memcpy(block.get(), data_.get(), static_cast<std::size_t>(length_));
    data_ = std::move(block);
    capacity_ = length_ + kSlack;
  }
  data_[length_] = '\0';
  return true;
}

int CharBuffer::replaceChar(char from, char to) {
  int replaced = 0;
  for (int i = 0; i < length_; ++i) {
    if (data_[i] == from) {
      data_[i] = to;
      ++replaced;
    }
  }
  return replaced;
}

} // namespace linkmoor
