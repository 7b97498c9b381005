#include "storage/local_project_store.h"

#include "storage/program_folder.h"

namespace linkmoor {

std::string LocalProjectStore::filePath() const {
  return ProgramFolder::dataFilePath(ProgramFolder::kLocalProjectsFile);
}

std::string LocalProjectStore::recordBytes(const LocalProject &project) {
  std::string out;
  ProjectFile::appendField(out, project.projectName);
  ProjectFile::appendField(out, project.rootPath);
  ProjectFile::endRecord(out);
  return out;
}

bool LocalProjectStore::load() {
  return loadWith([](LocalProject &project, const ProjectFile::Fields &fields) {
    if (fields.size() > 0) project.projectName = fields[0];
    if (fields.size() > 1) project.rootPath = fields[1];
  });
}

bool LocalProjectStore::save() {
  return saveWith(
      [](const LocalProject &project, std::string &out) { out += recordBytes(project); });
}

} // namespace linkmoor
