#pragma once
// A fresh folder under the system's temporary folder, removed with its content
// when the object goes away.

#include <filesystem>
#include <string>

namespace linkmoor::test {

/// Temporary folder for one test; removed recursively on destruction.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;

  /// The folder, without a trailing "/".
  const std::string &path() const { return path_; }
  /// `path()` + "/" + `relative`.
  std::string file(const std::string &relative) const;
  /// Writes `bytes` to `relative`, creating the folders on the way; returns the full path.
  std::string write(const std::string &relative, const std::string &bytes) const;
  /// The whole content of `relative` (empty when it cannot be read).
  std::string read(const std::string &relative) const;

private:
  std::string path_;
};

} // namespace linkmoor::test
