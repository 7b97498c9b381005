#pragma once
// The list of remote projects, kept in Setting/SettingRemote.data.

#include "storage/project_store.h"
#include "storage/remote_project.h"

namespace linkmoor {

/// A field of the selected remote project that one command changes alone.
enum class RemoteField { SubdomainName, SubdomainPath };

/// Remote project list. Each record is stored as its 12 fields in the order
/// of RemoteProject, each followed by 0xB6, then 0xA5; numbers and flags as
/// decimal text.
class RemoteProjectStore : public ProjectStore<RemoteProject> {
public:
  /// The record at `index`, or null. A record whose savePassword flag is 0
  /// has its password emptied first, in the list itself, so that the next
  /// save writes the empty password.
  RemoteProject *get(int index) override;
  bool save() override;
  bool load() override;
  /// ProgramFolder's "/Setting/SettingRemote.data".
  std::string filePath() const override;

  /// Changes one field of the selected project in the file: load, get the
  /// selected record, set `field` to `value`, save. Meant for a new, empty
  /// store. Returns false when the load fails or no record is selected;
  /// otherwise the result of the save.
  bool changeSelected(RemoteField field, const std::string &value);

  /// The bytes of one record as the file holds it.
  static std::string recordBytes(const RemoteProject &project);
};

} // namespace linkmoor
