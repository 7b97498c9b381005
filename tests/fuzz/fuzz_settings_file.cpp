// The settings file on arbitrary file bytes: every read runs on it, then values
// taken from the input are written and must read back as written, before and
// after the file is closed and opened again.
#include "fuzz_support.h"
#include "storage/bool_set.h"
#include "storage/program_folder.h"
#include "storage/settings_file.h"
#include "storage/window_placement.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>

namespace {

using namespace linkmoor;

void writeFile(const std::string &path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Every read the program makes; results are only looked at for sanity.
void readEverything(SettingsFile &file) {
  WindowPlacement placement;
  file.readWindowPlacement(placement);
  int flag = -1;
  if (file.readDialogFlags(flag)) LINKMOOR_FUZZ_CHECK(flag == 0 || flag == 1, "a flag beyond 0/1");
  flag = -1;
  if (file.readGeneralOptions(flag))
    LINKMOOR_FUZZ_CHECK(flag == 0 || flag == 1, "a flag beyond 0/1");
  std::string text;
  file.readLocalLastFolder(text);
  file.readRemoteLastFolder(text);
  BoolSet flags;
  file.readBoolSet(KEY_DLG_BOOLS, flags);
}

struct Written {
  WindowPlacement placement;
  bool placementWritten = false;
  std::string localFolder;
  bool localWritten = false;
  std::string remoteFolder;
  bool remoteWritten = false;
  int lineEnding = 0;
  bool optionsWritten = false;
};

void checkWritten(SettingsFile &file, const Written &w) {
  if (w.placementWritten) {
    WindowPlacement expected = w.placement;
    expected.restoreIfMinimized();
    WindowPlacement read;
    LINKMOOR_FUZZ_CHECK(file.readWindowPlacement(read), "a written placement is missing");
    LINKMOOR_FUZZ_CHECK(read == expected, "the placement reads back otherwise");
  }
  std::string text;
  if (w.localWritten) {
    LINKMOOR_FUZZ_CHECK(file.readLocalLastFolder(text), "a written folder is missing");
    LINKMOOR_FUZZ_CHECK(text == w.localFolder, "the local folder reads back otherwise");
  }
  if (w.remoteWritten) {
    LINKMOOR_FUZZ_CHECK(file.readRemoteLastFolder(text), "a written folder is missing");
    LINKMOOR_FUZZ_CHECK(text == w.remoteFolder, "the remote folder reads back otherwise");
  }
  if (w.optionsWritten) {
    int lineEnding = -1;
    LINKMOOR_FUZZ_CHECK(file.readGeneralOptions(lineEnding), "written options are missing");
    LINKMOOR_FUZZ_CHECK(lineEnding == w.lineEnding, "the options read back otherwise");
  }
}

std::int32_t number(fuzz::InputReader &input) {
  std::int32_t value = 0;
  for (int i = 0; i < 4; ++i)
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value) << 8 | input.byte());
  return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size > 1 << 20) return 0;
  static const bool ready = [] {
    const std::string &folder = fuzz::scratchFolder();
    std::filesystem::create_directories(folder + "/Setting");
    ProgramFolder::setOverride(folder);
    return true;
  }();
  (void)ready;

  // Input: the values to write first (a folder text up to a 0xFF byte, a flag
  // byte and ten numbers), then the bytes of the file.
  fuzz::InputReader input(data, size);
  Written w;
  w.localFolder = std::string(input.text('\xFF'));
  w.remoteFolder = w.localFolder + "/r";
  const std::uint8_t choice = input.byte();
  w.lineEnding = choice & 1;
  std::int32_t numbers[10];
  for (auto &n : numbers)
    n = number(input);
  std::memcpy(&w.placement, numbers, sizeof numbers);
  const std::string_view content = input.rest();
  writeFile(SettingsFile::filePath(), content);

  {
    SettingsFile file;
    if (choice & 2) {
      if (!file.openExisting()) return 0;
    } else {
      LINKMOOR_FUZZ_CHECK(file.openOrCreate(), "the settings file cannot be opened");
    }
    readEverything(file);
    // A folder with a CR or NUL cannot be a line of the file: refused.
    const bool writable = w.localFolder.find_first_of(std::string("\r\0", 2)) == std::string::npos;
    w.localWritten = file.writeLocalLastFolder(w.localFolder);
    if (!writable) LINKMOOR_FUZZ_CHECK(!w.localWritten, "a folder with CR or NUL was written");
    w.remoteWritten = file.writeRemoteLastFolder(w.remoteFolder);
    w.placementWritten = file.writeWindowPlacement(w.placement);
    w.optionsWritten = file.writeGeneralOptions(w.lineEnding);
    if (!(choice & 2)) {
      // openOrCreate made sure SECT_MAIN is there, so every write must take.
      LINKMOOR_FUZZ_CHECK(!writable || w.localWritten, "a folder was not written");
      LINKMOOR_FUZZ_CHECK(w.placementWritten && w.optionsWritten, "a value was not written");
    }
    checkWritten(file, w);
  }
  SettingsFile again;
  LINKMOOR_FUZZ_CHECK(again.openExisting(), "the settings file is gone");
  checkWritten(again, w);
  readEverything(again);
  return 0;
}
