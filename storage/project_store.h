#pragma once
// An ordered list of owned project records with the index of the project
// chosen last, loaded from and saved to a project file.

#include "storage/project_file.h"
#include "storage/record_array.h"

#include <cstdint>
#include <memory>
#include <string>

namespace linkmoor {

/// Project list over RecordArray. A new store is empty with selected index
/// -1; destroying it destroys its records.
template <typename Record> class ProjectStore : public RecordArray<Record> {
public:
  ProjectStore() = default;

  /// The record at `index`, or null when `index` < 0 or >= count().
  virtual Record *get(int index) {
    if (index < 0 || index >= this->count()) return nullptr;
    return this->at(index);
  }
  /// Writes the whole list and the selected index to filePath(). Returns true
  /// when the new file is in place; the file on disk is never left half
  /// written.
  virtual bool save() = 0;
  /// Appends the records of filePath() to the list (the list is not emptied
  /// first) and sets the selected index. A missing file is created empty.
  /// Returns false, changing nothing, for a file of 4 bytes or less, and when
  /// no file can be opened or created.
  virtual bool load() = 0;
  /// Full path of the store's file.
  virtual std::string filePath() const = 0;

  /// The project chosen last; -1 when none.
  std::int32_t selectedIndex() const { return selectedIndex_; }
  /// Sets the selected index as it stands (it is pulled into range on save).
  void setSelectedIndex(std::int32_t index) { selectedIndex_ = index; }

  /// Inserts `record` at position 0 and returns it.
  Record *insertFirst(std::unique_ptr<Record> record) {
    return this->insertAt(0, std::move(record));
  }

  /// True if a record other than the one at `skipIndex` has the project name
  /// `name`, compared without regard to case.
  bool nameTaken(int skipIndex, const std::string &name) const {
    for (int i = 0; i < this->count(); ++i) {
      if (i == skipIndex || !this->at(i)) continue;
      if (ProjectFile::namesEqual(this->at(i)->projectName, name)) return true;
    }
    return false;
  }

protected:
  /// Below 0 becomes 0; then, if not below count(), count() - 1 (so -1 for an
  /// empty list).
  void clampSelectedIndex() {
    if (selectedIndex_ < 0) selectedIndex_ = 0;
    if (selectedIndex_ >= this->count()) selectedIndex_ = this->count() - 1;
  }

  /// Load over a record parser: appends one record per complete record of the
  /// file and clamps the selected index.
  template <typename Parse> bool loadWith(Parse parse) {
    bool loaded =
        ProjectFile::load(filePath(), selectedIndex_, [&](const ProjectFile::Fields &fields) {
          auto record = std::make_unique<Record>();
          parse(*record, fields);
          this->append(std::move(record));
        });
    if (!loaded) return false;
    clampSelectedIndex();
    return true;
  }

  /// Save over a record writer: writes the index as it stands, clamps it in
  /// memory once the file could be made, then writes the records in order.
  template <typename Write> bool saveWith(Write write) {
    std::int32_t stored = selectedIndex_;
    std::string text;
    for (int i = 0; i < this->count(); ++i) {
      if (this->at(i)) write(*this->at(i), text);
    }
    ProjectFile::SaveResult result = ProjectFile::save(filePath(), stored, text);
    if (result == ProjectFile::SaveResult::NotOpened) return false;
    clampSelectedIndex();
    return result == ProjectFile::SaveResult::Saved;
  }

  std::int32_t selectedIndex_ = -1;
};

} // namespace linkmoor
