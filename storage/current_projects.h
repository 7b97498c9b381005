#pragma once
// The two program-wide project records: the project the workspace works on.
// The project dialogs copy the chosen project in; the analysis and the
// workspace read it. They are plain globals without a lock: the job rules
// keep the user interface from changing them while the worker runs. Do not
// use them from the constructors of other globals.

#include "storage/local_project.h"
#include "storage/remote_project.h"

namespace linkmoor {

/// The local project the workspace works on; defaults until a project is chosen.
extern LocalProject CurrentLocalProject;
/// The remote project whose site is connected; defaults until a connection is made.
extern RemoteProject CurrentRemoteProject;

} // namespace linkmoor
