#pragma once
// The list of local projects, kept in Setting/SettingLocal.data.

#include "storage/local_project.h"
#include "storage/project_store.h"

namespace linkmoor {

/// Local project list. Each record is stored as the project name and the root
/// path, each followed by 0xB6, then 0xA5.
class LocalProjectStore : public ProjectStore<LocalProject> {
public:
  bool save() override;
  bool load() override;
  /// ProgramFolder's "/Setting/SettingLocal.data".
  std::string filePath() const override;

  /// The bytes of one record as the file holds it.
  static std::string recordBytes(const LocalProject &project);
};

} // namespace linkmoor
