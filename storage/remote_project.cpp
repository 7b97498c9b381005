#include "storage/remote_project.h"

#include "storage/local_project.h"

namespace linkmoor {

void RemoteProject::normalise() {
  normalisePath(downloadPath);
  normalisePath(host);
}

std::string RemoteProject::downloadFolder() const {
  if (addProjectNameToDownload) return downloadPath + "/" + projectName;
  return downloadPath;
}

} // namespace linkmoor
