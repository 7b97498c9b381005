#pragma once
// Appending to the engine's record arrays. The arrays grow by one eighth of
// their count, at most 1024 slots at a time; past 8192 records that cap would
// make every further block copy the whole array again and again (a page of a
// million tags would take minutes), so here the step keeps growing with the
// count and appending stays amortised constant time.

#include "storage/record_array.h"

#include <memory>
#include <utility>

namespace linkmoor {

/// Makes the next growth of a full `array` one eighth of its count, also past
/// the cap (below it the automatic rule gives the same).
template <typename T> void keepGrowthProportional(RecordArray<T> &array) {
  constexpr int capCount = 8 * 1024;
  if (array.count() == array.capacity())
    array.setGrowthStep(array.count() >= capCount ? array.count() / 8 : 0);
}

/// Appends `record` to `array` with proportional growth; returns the record.
template <typename T> T *appendRecord(RecordArray<T> &array, std::unique_ptr<T> record) {
  keepGrowthProportional(array);
  return array.append(std::move(record));
}

} // namespace linkmoor
