#include "storage/current_projects.h"

namespace linkmoor {

LocalProject CurrentLocalProject;
RemoteProject CurrentRemoteProject;

} // namespace linkmoor
