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

/// Name of the program's own copy of the demo site, beside the program.
inline constexpr char kDemoFolderName[] = "demo-site";

/// The program folder may have been copied or moved since the demo project was written:
/// every local project whose root folder is gone and whose last path step is
/// kDemoFolderName is pointed at the demo copy beside the program, when that copy
/// exists. The project list is written only when something changed; a missing list is
/// never created. Returns how many projects were repaired.
int repairDemoProjects();

} // namespace linkmoor
