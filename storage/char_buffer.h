#pragma once
// A growable text buffer that is always NUL-terminated. Its allocation follows
// a fixed rule: it grows to exactly the text plus 100 bytes and shrinks back
// only when more than 200 bytes would stay unused.

#include <memory>
#include <string>
#include <string_view>

namespace linkmoor {

/// Growable, always NUL-terminated buffer of 8-bit characters.
/// Invariant: length() < capacity() and data()[length()] == '\0'.
class CharBuffer {
public:
  /// Bytes allocated beyond the text whenever the buffer is reallocated.
  static constexpr int kSlack = 100;
  /// Unused bytes beyond which the buffer shrinks.
  static constexpr int kShrinkSlack = 200;

  /// An empty text in a block of 100 bytes.
  CharBuffer();
  /// Holds `text` (the whole text, up to its first NUL).
  explicit CharBuffer(std::string_view text);
  CharBuffer(const CharBuffer &other);
  CharBuffer &operator=(const CharBuffer &other);
  CharBuffer(CharBuffer &&other) noexcept;
  CharBuffer &operator=(CharBuffer &&other) noexcept;
  ~CharBuffer() = default;

  /// Sets the text to the first `count` characters of the NUL-terminated
  /// `text`. A null `text` gives the empty text; a negative `count`, or one
  /// beyond the text's end, takes the whole text. `text` may point into this
  /// buffer.
  void assign(const char *text, int count = -1);
  /// Sets the text to `text` up to its first NUL.
  void assign(std::string_view text);
  /// Removes the last character; returns false (and changes nothing) when
  /// the text is empty.
  bool dropLast();
  /// Replaces every `from` in the text by `to`; returns how many were replaced.
  int replaceChar(char from, char to);

  /// The text, NUL-terminated.
  const char *data() const { return data_.get(); }
  /// Writable access to the text's bytes (length() + 1 of them are valid).
  char *data() { return data_.get(); }
  /// Characters before the NUL.
  int length() const { return length_; }
  /// Bytes allocated.
  int capacity() const { return capacity_; }
  /// The text as a view (no copy).
  std::string_view view() const { return std::string_view(data_.get(), length_); }
  /// The text as a string.
  std::string str() const { return std::string(view()); }

private:
  void setText(const char *text, int count);

  std::unique_ptr<char[]> data_;
  int length_ = 0;
  int capacity_ = 0;
};

} // namespace linkmoor
