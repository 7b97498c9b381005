#pragma once
// The project list a new user finds: one local project on the bundled demo site.

#include <string>

namespace linkmoor {

/// What `seedLocalProject` did.
enum class SeedResult { Written, AlreadyThere, NoSettingFolder, Failed };

/// Writes a local project list holding the one project `name` with root folder `root`
/// (made absolute and normalised) into the Setting folder, unless a local project list
/// is there already. Without a Setting folder nothing is written.
SeedResult seedLocalProject(const std::string &name, const std::string &root);

} // namespace linkmoor
