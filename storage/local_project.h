#pragma once
// A local project: a name and the root folder of a site on disk.

#include <string>

namespace linkmoor {

/// One local project. Copying assigns every field.
struct LocalProject {
  /// Shown in the project list; unique within the list, ignoring case.
  std::string projectName;
  /// Folder whose pages are analysed.
  std::string rootPath;

  /// Assigns every field of `from`.
  void copy(const LocalProject &from) { *this = from; }
  /// Turns every backslash of the root path into "/" and removes all
  /// trailing "/".
  void normalise();
};

/// Turns every backslash of `path` into "/" and removes all trailing "/".
void normalisePath(std::string &path);

} // namespace linkmoor
