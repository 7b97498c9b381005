#pragma once
// The folder of the running executable, under which the Setting folder with
// the program's data files lies.

#include <string>

namespace linkmoor {

/// Paths of the program's data files, beside the executable.
class ProgramFolder {
public:
  /// The local project list.
  static constexpr const char *kLocalProjectsFile = "/Setting/SettingLocal.data";
  /// The remote project list.
  static constexpr const char *kRemoteProjectsFile = "/Setting/SettingRemote.data";
  /// The settings file.
  static constexpr const char *kSettingsFile = "/Setting/Linkmoor.set";

  /// The executable's folder (without a trailing "/") followed by
  /// `fileName`, which begins with "/". When the executable's path cannot be
  /// had, the folder part is empty and the result is `fileName` itself.
  static std::string dataFilePath(const std::string &fileName);
  /// The executable's folder, or the override when one is set; empty when
  /// the system cannot tell.
  static std::string folder();

  /// For tests only: makes folder() return `folder` (no trailing "/") instead
  /// of the executable's folder; an empty text removes the override. Not
  /// thread-safe: set it before any other thread reads data files.
  static void setOverride(const std::string &folder);
};

} // namespace linkmoor
