#pragma once
// The settings file Setting/Linkmoor.set: a sectioned 8-bit text file whose
// lines end with CR LF.
//
//   (blank)
//   (blank)
//   {SECT_MAIN}
//   <KEY>
//   [KEY_DLGPLACEMENT]0=1=-1=-1=-1=-1=10=20=810=620
//   <LIST>
//
// A section header is "{name}" (blanks may follow); "<KEY>" follows it and
// "<LIST>" ends its key lines, each "[key]" followed directly by the value.
// New key lines go in front of "<LIST>", so keys keep the order in which they
// were first written. A lone LF does not end a line, so a file whose lines end
// with LF alone holds no section this program can find.
//
// An object is made on the stack for one operation, opened, used for a few
// reads or writes and destroyed, which closes the file.

#include "storage/bool_set.h"
#include "storage/disk_file.h"
#include "storage/window_placement.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace linkmoor {

/// Section holding every key.
inline constexpr const char *SECT_MAIN = "SECT_MAIN";
/// Section created with the file; holds no key.
inline constexpr const char *SECT_GLOBAL = "SECT_GLOBAL";
/// Main window placement: ten numbers joined by "=".
inline constexpr const char *KEY_DLGPLACEMENT = "KEY_DLGPLACEMENT";
/// BoolSet; flag 0: the main window stays on top.
inline constexpr const char *KEY_DLG_BOOLS = "KEY_DLG_BOOLS";
/// BoolSet; flag 0: the editor's line ending, 1 for LF, 0 for CR LF.
inline constexpr const char *KEY_GENOPT_BOOLS = "KEY_GENOPT_BOOLS";
/// Last folder picked for a local project's root.
inline constexpr const char *KEY_DLGLOCALLASTDIR = "KEY_DLGLOCALLASTDIR";
/// Last folder picked for a remote project's download folder.
inline constexpr const char *KEY_DLGREMOTELASTDIR = "KEY_DLGREMOTELASTDIR";

/// Reader and writer of the settings file. Every change is written as a whole
/// new file that replaces the old one only when complete (see rewrite), so a
/// failed write leaves the file as it was. Every read leaves the
/// caller's value at its default when the file is not open or the section or
/// key is missing; every write does nothing then.
class SettingsFile {
public:
  SettingsFile() = default;
  SettingsFile(const SettingsFile &) = delete;
  SettingsFile &operator=(const SettingsFile &) = delete;
  virtual ~SettingsFile() = default;

  /// ProgramFolder's "/Setting/Linkmoor.set".
  static std::string filePath();

  /// Opens the file for reading and writing, or creates it (mode 0600) when
  /// it does not exist; then appends SECT_MAIN and SECT_GLOBAL if either is
  /// missing. False when the file can be neither opened nor created (for
  /// example without the Setting folder). Used when the main window starts.
  bool openOrCreate();
  /// Opens the file for reading and writing only if it exists.
  bool openExisting();
  /// Closes the file.
  void close();
  /// True while the file is open.
  bool isOpen() const { return file_.isOpen(); }

  /// Reads KEY_DLGPLACEMENT into `placement`, a minimized show command
  /// becoming 9 (restore). Returns false, leaving `placement` unchanged, when
  /// the key is missing or holds fewer than ten numbers.
  bool readWindowPlacement(WindowPlacement &placement);
  /// Writes KEY_DLGPLACEMENT.
  bool writeWindowPlacement(const WindowPlacement &placement);
  /// Flag 0 of KEY_DLG_BOOLS (always on top); 1 when missing. True if found.
  bool readDialogFlags(int &alwaysOnTop);
  /// Writes KEY_DLG_BOOLS with flag 0 and the other flags 0.
  bool writeDialogFlags(int alwaysOnTop);
  /// Flag 0 of KEY_GENOPT_BOOLS (1 LF, 0 CR LF); 0 when missing. True if found.
  bool readGeneralOptions(int &lineEnding);
  /// Writes KEY_GENOPT_BOOLS with flag 0 and the other flags 0.
  bool writeGeneralOptions(int lineEnding);
  /// KEY_DLGLOCALLASTDIR; the empty text when missing. True if found.
  bool readLocalLastFolder(std::string &path);
  /// Writes KEY_DLGLOCALLASTDIR.
  bool writeLocalLastFolder(const std::string &path);
  /// KEY_DLGREMOTELASTDIR; the empty text when missing. True if found.
  bool readRemoteLastFolder(std::string &path);
  /// Writes KEY_DLGREMOTELASTDIR.
  bool writeRemoteLastFolder(const std::string &path);

  /// If `key` of SECT_MAIN is found, flag i of `flags` becomes bit i of its
  /// value (read as atoi reads it); otherwise `flags` keeps the caller's
  /// defaults. True if found.
  bool readBoolSet(const char *key, BoolSet &flags);
  /// Writes `flags` as "%u" under `key` of SECT_MAIN.
  bool writeBoolSet(const char *key, const BoolSet &flags);

  /// Finds the header line "{name}" (trailing blanks allowed, case matters)
  /// and moves the file position behind it; stores the offsets of its "{"
  /// and of the byte behind its line end when asked. A "{" anywhere in a line
  /// makes the rest of that line a candidate. When the section is missing
  /// the file position is left where it was.
  bool findSection(const std::string &name, std::int64_t *headerStart = nullptr,
                   std::int64_t *bodyStart = nullptr);
  /// Reads the line at the file position into `line`, without its CR LF. A
  /// CR not followed by LF ends the line and stays its last character; a
  /// lone LF is an ordinary character. Returns false at the end of the file
  /// when nothing was read. Stores the line's start offset and the offset
  /// behind it when asked.
  bool readLine(std::string &line, std::int64_t *start = nullptr, std::int64_t *end = nullptr);
  /// The value of `key` in `section` (up to a NUL in it), or false when the
  /// section, or the key before the section's "<LIST>" line, is missing.
  bool readKey(const std::string &section, const std::string &key, std::string &value);
  /// Replaces the line of `key` in `section`, or inserts "[key]value" in
  /// front of the section's "<LIST>" line (or at the end of the file when
  /// there is none). Does nothing, returning false, when the section is
  /// missing or `value` holds a CR or a NUL, which would break the line.
  bool writeKey(const std::string &section, const std::string &key, const std::string &value);
  /// Replaces bytes `start` to `end` of the file by `text`, moving the rest
  /// of the file behind it. Text inserted at the very end of a file that does
  /// not end with CR LF gets a CR LF in front. The file is replaced whole; on
  /// failure it is left unchanged.
  bool replaceRange(std::int64_t start, std::int64_t end, std::string_view text);

private:
  bool ensureSection(const char *name);
  // Replaces the whole file by `content` with writeFileSafely (a new file
  // renamed over the old one, or an overwrite in place after a backup when a
  // rename would lose links, owner or group), reopens it and moves the file
  // position to `position` (the end when negative). On failure the file on the
  // disk is unchanged.
  bool rewrite(std::string content, std::int64_t position);
  // findSection that also hands out the whole file it read.
  bool locateSection(const std::string &name, const std::string *&data, std::int64_t *headerStart,
                     std::int64_t *bodyStart);
  // The line of `data` at `pos` by the rules of readLine; `behind` is the
  // offset behind it. False when `pos` is at the end.
  static bool lineAt(std::string_view data, std::size_t pos, std::string_view &line,
                     std::size_t &behind);
  // The whole file, or null when it is empty or cannot be read. The content
  // is read once per opening and then kept in step with this object's own
  // writes, so that a run of reads and writes reads the file only once.
  const std::string *readAll();

  DiskFile file_;
  std::string path_;
  std::string content_;
  bool contentKnown_ = false;
};

} // namespace linkmoor
