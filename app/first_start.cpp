#include "app/first_start.h"

#include "storage/local_project_store.h"
#include "storage/program_folder.h"

#include <filesystem>
#include <memory>
#include <system_error>

namespace linkmoor {

SeedResult seedLocalProject(const std::string &name, const std::string &root) {
  LocalProjectStore store;
  const std::filesystem::path file = store.filePath();
  std::error_code error;
  if (std::filesystem::exists(file, error) || error) return SeedResult::AlreadyThere;
  // The program never creates its Setting folder, and neither does this.
  if (!std::filesystem::is_directory(file.parent_path(), error)) return SeedResult::NoSettingFolder;
  auto project = std::make_unique<LocalProject>();
  project->projectName = name;
  project->rootPath = std::filesystem::absolute(root, error).lexically_normal().string();
  if (error) project->rootPath = root;
  project->normalise();
  store.insertFirst(std::move(project));
  store.setSelectedIndex(0);
  return store.save() ? SeedResult::Written : SeedResult::Failed;
}

int repairDemoProjects() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path demo = fs::path(ProgramFolder::folder()) / kDemoFolderName;
  if (!fs::is_directory(demo, error)) return 0;
  LocalProjectStore store;
  if (!fs::is_regular_file(store.filePath(), error) || !store.load()) return 0;
  int repaired = 0;
  for (int i = 0; i < store.count(); ++i) {
    LocalProject *project = store.get(i);
    if (!project || project->rootPath.empty()) continue;
    const fs::path root(project->rootPath);
    if (root.filename() != kDemoFolderName || fs::exists(root, error)) continue;
    project->rootPath = demo.lexically_normal().string();
    project->normalise();
    ++repaired;
  }
  if (repaired > 0 && !store.save()) return 0;
  return repaired;
}

} // namespace linkmoor
