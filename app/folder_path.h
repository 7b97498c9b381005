#pragma once
// Creating a folder together with every missing folder above it.

#include <string>

namespace linkmoor {

/// Creates the folder `path` ("/" separators; backslashes count as separators too) and
/// each missing folder on the way. The first component must exist (for an absolute path
/// it is the file-system root). An existing component must be a folder (a link to a
/// folder counts as one). Empty components (doubled or trailing separators) are passed
/// over. False for an empty path or when a component is a file or cannot be created.
bool createFolderPath(const std::string &path);

} // namespace linkmoor
