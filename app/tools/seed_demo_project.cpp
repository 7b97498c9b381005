// linkmoor-seed NAME ROOT: writes a local project list holding one project NAME with
// root folder ROOT into the Setting folder beside this program, unless a local project
// list is there already. The build runs it so that a new user finds the demo site.
#include "storage/local_project_store.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: linkmoor-seed NAME ROOT\n");
    return 2;
  }
  linkmoor::LocalProjectStore store;
  const std::filesystem::path file = store.filePath();
  std::error_code error;
  if (std::filesystem::exists(file, error) || error) return 0;
  // The program never creates its Setting folder: without one there is nothing to seed.
  if (!std::filesystem::is_directory(file.parent_path(), error)) return 0;
  auto project = std::make_unique<linkmoor::LocalProject>();
  project->projectName = argv[1];
  std::error_code absoluteError;
  project->rootPath = std::filesystem::absolute(argv[2], absoluteError).lexically_normal().string();
  project->normalise();
  store.insertFirst(std::move(project));
  store.setSelectedIndex(0);
  if (!store.save()) {
    std::fprintf(stderr, "linkmoor-seed: cannot write %s\n", file.c_str());
    return 1;
  }
  return 0;
}
