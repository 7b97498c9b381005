#pragma once
// An owning, growable array of record pointers. Clearing or destroying the
// array destroys its elements.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace linkmoor {

/// Growable array of owned records of one type.
/// The pointer block grows by `growthStep` slots, or, when that is 0, by one
/// eighth of the current count clamped to [4, 1024], so appending stays
/// amortised constant time.
template <typename T> class RecordArray {
public:
  RecordArray() = default;
  RecordArray(const RecordArray &) = delete;
  RecordArray &operator=(const RecordArray &) = delete;
  RecordArray(RecordArray &&) noexcept = default;
  RecordArray &operator=(RecordArray &&) noexcept = default;
  virtual ~RecordArray() = default;

  /// Number of slots in use (empty slots after setSize count too).
  int count() const { return static_cast<int>(items_.size()); }
  /// Element at `index`; not range-checked. May be null after setSize.
  T *at(int index) const { return items_[static_cast<std::size_t>(index)].get(); }
  T *operator[](int index) const { return at(index); }

  /// Appends `record` and returns it.
  T *append(std::unique_ptr<T> record) {
    reserveOneMore();
    items_.push_back(std::move(record));
    return items_.back().get();
  }
  /// Inserts `record` at `index`; elements from `index` move up by one.
  T *insertAt(int index, std::unique_ptr<T> record) {
    reserveOneMore();
    auto it = items_.insert(items_.begin() + index, std::move(record));
    return it->get();
  }
  /// Removes and destroys the element at `index`; later elements move down.
  void removeAt(int index) { items_.erase(items_.begin() + index); }
  /// Sets the count: new slots are empty, dropped slots are destroyed; a size
  /// of 0 frees the pointer block.
  void setSize(int size) {
    if (size <= 0) {
      removeAll();
      return;
    }
    items_.resize(static_cast<std::size_t>(size));
  }
  /// Destroys every element and frees the pointer block.
  void removeAll() {
    items_.clear();
    items_.shrink_to_fit();
  }

  /// Slots to add when the block is full; 0 selects the automatic rule.
  void setGrowthStep(int step) { growthStep_ = step; }
  /// Number of slots allocated.
  int capacity() const { return static_cast<int>(items_.capacity()); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

private:
  void reserveOneMore() {
    if (items_.size() < items_.capacity()) return;
    int step = growthStep_;
    if (step <= 0) step = std::clamp(count() / 8, 4, 1024);
    items_.reserve(items_.size() + static_cast<std::size_t>(step));
  }

  std::vector<std::unique_ptr<T>> items_;
  int growthStep_ = 0;
};

} // namespace linkmoor
