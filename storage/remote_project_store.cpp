#include "storage/remote_project_store.h"

#include "storage/decimal_text.h"
#include "storage/program_folder.h"

namespace linkmoor {

namespace {
std::uint8_t flagValue(std::string_view text) {
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(decimalValue(text)) & 0xFFu);
}
} // namespace

std::string RemoteProjectStore::filePath() const {
  return ProgramFolder::dataFilePath(ProgramFolder::kRemoteProjectsFile);
}

RemoteProject *RemoteProjectStore::get(int index) {
  RemoteProject *project = ProjectStore<RemoteProject>::get(index);
  if (project && project->savePassword == 0) project->password.clear();
  return project;
}

std::string RemoteProjectStore::recordBytes(const RemoteProject &p) {
  std::string out;
  ProjectFile::appendField(out, p.projectName);
  ProjectFile::appendField(out, p.downloadPath);
  ProjectFile::appendField(out, p.subdomainPath);
  ProjectFile::appendField(out, p.subdomainName);
  ProjectFile::appendField(out, p.host);
  ProjectFile::appendField(out, p.port);
  ProjectFile::appendField(out, p.userName);
  ProjectFile::appendField(out, p.password);
  ProjectFile::appendField(out, p.passive);
  ProjectFile::appendField(out, p.savePassword);
  ProjectFile::appendField(out, p.addProjectNameToDownload);
  ProjectFile::appendField(out, p.clearDownloadDirectory);
  ProjectFile::endRecord(out);
  return out;
}

bool RemoteProjectStore::load() {
  return loadWith([](RemoteProject &p, const ProjectFile::Fields &f) {
    std::size_t n = f.size();
    if (n > 0) p.projectName = f[0];
    if (n > 1) p.downloadPath = f[1];
    if (n > 2) p.subdomainPath = f[2];
    if (n > 3) p.subdomainName = f[3];
    if (n > 4) p.host = f[4];
    if (n > 5) p.port = decimalValue(f[5]);
    if (n > 6) p.userName = f[6];
    if (n > 7) p.password = f[7];
    if (n > 8) p.passive = flagValue(f[8]);
    if (n > 9) p.savePassword = flagValue(f[9]);
    if (n > 10) p.addProjectNameToDownload = flagValue(f[10]);
    if (n > 11) p.clearDownloadDirectory = flagValue(f[11]);
  });
}

bool RemoteProjectStore::save() {
  return saveWith(
      [](const RemoteProject &project, std::string &out) { out += recordBytes(project); });
}

bool RemoteProjectStore::changeSelected(RemoteField field, const std::string &value) {
  if (!load()) return false;
  RemoteProject *project = get(selectedIndex());
  if (!project) return false;
  if (field == RemoteField::SubdomainName) {
    project->subdomainName = value;
  } else {
    project->subdomainPath = value;
  }
  return save();
}

} // namespace linkmoor
