#pragma once
// What the fuzz targets share: a check that aborts (libFuzzer keeps the input
// that made it fail), a scratch folder made once per process and removed at its
// end, and a reader that takes the fuzzer's bytes apart.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

namespace linkmoor::fuzz {

/// Aborts with `what` and the place when `condition` is false.
#define LINKMOOR_FUZZ_CHECK(condition, what)                                                       \
  do {                                                                                             \
    if (!(condition)) {                                                                            \
      std::fprintf(stderr, "%s:%d: %s failed: %s\n", __FILE__, __LINE__, #condition, what);        \
      std::abort();                                                                                \
    }                                                                                              \
  } while (0)

/// A fresh folder "linkmoor-fuzz-<process id>-XXXXXX" under /dev/shm (or the
/// temporary folder when there is none), made on the first call and removed
/// with its content when the process ends normally.
inline const std::string &scratchFolder() {
  static const std::string folder = [] {
    namespace fs = std::filesystem;
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    // The process id in the name lets scripts/fuzz remove the folder of a run
    // that ended on a crash, which skips the removal at exit.
    std::string pattern =
        (base / ("linkmoor-fuzz-" + std::to_string(getpid()) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) std::abort();
    static std::string made;
    made = pattern;
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(made, ignored);
    });
    return pattern;
  }();
  return folder;
}

/// Takes the fuzzer's bytes apart from the front: single bytes, and texts that
/// end at a separator byte or at the end of the input.
class InputReader {
public:
  /// Reads `data`..`data + size`; the bytes must outlive the reader.
  InputReader(const std::uint8_t *data, std::size_t size)
      : rest_(reinterpret_cast<const char *>(data), size) {}

  /// The next byte, or 0 when none is left.
  std::uint8_t byte() {
    if (rest_.empty()) return 0;
    const auto value = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return value;
  }

  /// The bytes up to the next `separator` (taken off too) or to the end.
  std::string_view text(char separator = '\n') {
    const std::size_t at = rest_.find(separator);
    const std::string_view part = rest_.substr(0, at);
    rest_.remove_prefix(at == std::string_view::npos ? rest_.size() : at + 1);
    return part;
  }

  /// Everything that is left.
  std::string_view rest() {
    const std::string_view all = rest_;
    rest_ = {};
    return all;
  }

private:
  std::string_view rest_;
};

} // namespace linkmoor::fuzz
