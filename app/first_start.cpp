#include "app/first_start.h"

#include "storage/local_project_store.h"

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

} // namespace linkmoor
