#include "storage/program_folder.h"

#include "platform/file_system.h"

namespace linkmoor {

namespace {
std::string &overrideFolder() {
  static std::string folder;
  return folder;
}
} // namespace

std::string ProgramFolder::folder() {
  if (!overrideFolder().empty()) return overrideFolder();
  std::string exe = executablePath();
  std::size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return std::string();
  return exe.substr(0, slash);
}

std::string ProgramFolder::dataFilePath(const std::string &fileName) { return folder() + fileName; }

void ProgramFolder::setOverride(const std::string &folder) { overrideFolder() = folder; }

} // namespace linkmoor
