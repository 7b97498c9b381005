#pragma once
// The placement of the main window as the settings file stores it: ten
// numbers joined by "=".

#include <cstdint>
#include <string>

namespace linkmoor {

/// The ten numbers of a window placement, in file order.
struct WindowPlacement {
  std::int32_t flags = 0;
  std::int32_t showCommand = 0; ///< 1 normal, 2 minimized, 3 maximized, 9 restore, ...
  std::int32_t maxX = 0;        ///< maximized position
  std::int32_t maxY = 0;
  std::int32_t minX = 0; ///< minimized position
  std::int32_t minY = 0;
  std::int32_t left = 0; ///< normal rectangle
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  /// Show commands 2 (shown minimized), 6 (minimize) and 7 (shown minimized,
  /// not active) become 9 (restore), so a window never comes back minimized.
  void restoreIfMinimized();

  /// "%d=%d=%d=%d=%d=%d=%d=%d=%d=%d" of the ten numbers in file order.
  std::string format() const;
  /// Reads ten numbers separated by "=", each converted as atoi converts it;
  /// text behind the tenth number is ignored. Returns false, leaving this
  /// record unchanged, when the text ends before the tenth number.
  bool parse(const std::string &text);

  bool operator==(const WindowPlacement &) const = default;
};

} // namespace linkmoor
