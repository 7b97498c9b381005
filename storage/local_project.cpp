#include "storage/local_project.h"

#include <algorithm>

namespace linkmoor {

void normalisePath(std::string &path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  while (!path.empty() && path.back() == '/')
    path.pop_back();
}

void LocalProject::normalise() { normalisePath(rootPath); }

} // namespace linkmoor
