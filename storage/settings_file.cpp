#include "storage/settings_file.h"

#include "storage/decimal_text.h"
#include "storage/program_folder.h"

namespace linkmoor {

namespace {

constexpr std::int32_t kReadChunk = 4096;
// Files beyond this size are left alone: they cannot come from this program.
constexpr std::int64_t kMaxSettingsSize = 0x7FFFFFFF;

bool startsWith(const std::string &line, std::string_view prefix) {
  return line.size() >= prefix.size() && line.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

std::string SettingsFile::filePath() {
  return ProgramFolder::dataFilePath(ProgramFolder::kSettingsFile);
}

bool SettingsFile::openOrCreate() {
  std::string path = filePath();
  if (!file_.openExisting(path, true) && !file_.create(path, false, FilePrivacy::OwnerOnly)) {
    return false;
  }
  ensureSection(SECT_MAIN);
  ensureSection(SECT_GLOBAL);
  return true;
}

bool SettingsFile::openExisting() { return file_.openExisting(filePath(), true); }

bool SettingsFile::ensureSection(const char *name) {
  if (findSection(name)) return true;
  if (!file_.seek(0, SeekOrigin::End)) return false;
  std::string block = std::string("\r\n\r\n{") + name + "}\r\n<KEY>\r\n<LIST>\r\n";
  return file_.write(block.data(), static_cast<std::int32_t>(block.size()));
}

bool SettingsFile::readAll(std::string &data) {
  std::int64_t size = file_.size();
  if (size <= 0 || size > kMaxSettingsSize) return false;
  data.resize(static_cast<std::size_t>(size));
  std::int32_t got = 0;
  if (!file_.seek(0, SeekOrigin::Begin) ||
      !file_.read(data.data(), static_cast<std::int32_t>(size), &got)) {
    return false;
  }
  data.resize(static_cast<std::size_t>(got));
  return true;
}

bool SettingsFile::findSection(const std::string &name, std::int64_t *headerStart,
                               std::int64_t *bodyStart) {
  if (!isOpen()) return false;
  std::int64_t before = file_.position();
  std::string data;
  if (!readAll(data)) {
    file_.seek(before, SeekOrigin::Begin);
    return false;
  }
  const std::string header = "{" + name + "}";
  std::size_t pos = 0;
  for (;;) {
    std::size_t brace = data.find('{', pos);
    if (brace == std::string::npos) break;
    std::size_t lineEnd = data.find("\r\n", brace);
    std::size_t candidateEnd = lineEnd == std::string::npos ? data.size() : lineEnd;
    std::size_t length = candidateEnd - brace;
    while (length > 1 && data[brace + length - 1] == ' ') --length;
    if (data.compare(brace, length, header) == 0) {
      std::int64_t behind = lineEnd == std::string::npos ? static_cast<std::int64_t>(data.size())
                                                         : static_cast<std::int64_t>(lineEnd + 2);
      if (headerStart) *headerStart = static_cast<std::int64_t>(brace);
      if (bodyStart) *bodyStart = behind;
      file_.seek(behind, SeekOrigin::Begin);
      return true;
    }
    if (lineEnd == std::string::npos) break;
    // Go on with the next line, from its first byte.
    pos = lineEnd + 2;
  }
  file_.seek(before, SeekOrigin::Begin);
  return false;
}

bool SettingsFile::readLine(std::string &line, std::int64_t *start, std::int64_t *end) {
  line.clear();
  std::int64_t begin = file_.position();
  if (start) *start = begin;
  if (begin < 0) return false;
  std::int64_t offset = begin; // file offset of chunk[0]
  bool any = false;
  char chunk[kReadChunk];
  for (;;) {
    std::int32_t got = 0;
    if (!file_.read(chunk, kReadChunk, &got) || got == 0) {
      file_.seek(offset, SeekOrigin::Begin);
      if (end) *end = offset;
      return any;
    }
    for (std::int32_t i = 0; i < got; ++i) {
      any = true;
      if (chunk[i] != '\r') {
        line.push_back(chunk[i]);
        continue;
      }
      char next = 0;
      bool haveNext = false;
      if (i + 1 < got) {
        next = chunk[i + 1];
        haveNext = true;
      } else {
        std::int32_t one = 0;
        haveNext = file_.read(&next, 1, &one) && one == 1;
      }
      std::int64_t behind = offset + i + 1;
      if (haveNext && next == '\n') {
        ++behind;
      } else {
        line.push_back('\r');
      }
      file_.seek(behind, SeekOrigin::Begin);
      if (end) *end = behind;
      return true;
    }
    offset += got;
  }
}

bool SettingsFile::readKey(const std::string &section, const std::string &key,
                           std::string &value) {
  if (!findSection(section)) return false;
  const std::string prefix = "[" + key + "]";
  std::string line;
  while (readLine(line)) {
    if (startsWith(line, "<LIST>")) return false;
    if (startsWith(line, prefix)) {
      std::size_t nul = line.find('\0', prefix.size());
      value = line.substr(prefix.size(), nul == std::string::npos ? std::string::npos
                                                                  : nul - prefix.size());
      return true;
    }
  }
  return false;
}

bool SettingsFile::writeKey(const std::string &section, const std::string &key,
                            const std::string &value) {
  if (value.find_first_of(std::string_view("\r\0", 2)) != std::string::npos) return false;
  if (!findSection(section)) return false;
  const std::string prefix = "[" + key + "]";
  std::string line;
  std::int64_t lineStart = 0, lineEnd = 0;
  std::int64_t rangeStart = -1, rangeEnd = -1;
  while (readLine(line, &lineStart, &lineEnd)) {
    if (startsWith(line, "<LIST>")) {
      rangeStart = rangeEnd = lineStart;
      break;
    }
    if (startsWith(line, prefix)) {
      rangeStart = lineStart;
      rangeEnd = lineEnd;
      break;
    }
  }
  if (rangeStart < 0) rangeStart = rangeEnd = file_.size();
  return replaceRange(rangeStart, rangeEnd, prefix + value + "\r\n");
}

bool SettingsFile::replaceRange(std::int64_t start, std::int64_t end, std::string_view text) {
  if (!isOpen()) return false;
  std::int64_t size = file_.size();
  if (start < 0 || end < start || end > size || size - end > kMaxSettingsSize) return false;
  std::string out;
  if (start == end && start != 0 && start == size) {
    char last = 0;
    std::int32_t got = 0;
    if (file_.seek(size - 1, SeekOrigin::Begin) && file_.read(&last, 1, &got) && got == 1 &&
        last != '\n') {
      out = "\r\n";
    }
  }
  out.append(text);
  if (end < size) {
    // The tail is kept whole, NUL bytes included.
    std::string tail(static_cast<std::size_t>(size - end), '\0');
    std::int32_t got = 0;
    if (!file_.seek(end, SeekOrigin::Begin) ||
        !file_.read(tail.data(), static_cast<std::int32_t>(tail.size()), &got)) {
      return false;
    }
    tail.resize(static_cast<std::size_t>(got));
    out += tail;
  }
  if (out.size() > static_cast<std::size_t>(kMaxSettingsSize)) return false;
  if (!file_.seek(start, SeekOrigin::Begin)) return false;
  bool written = file_.write(out.data(), static_cast<std::int32_t>(out.size()));
  return file_.setEndOfFile() && written;
}

bool SettingsFile::readWindowPlacement(WindowPlacement &placement) {
  std::string value;
  if (!readKey(SECT_MAIN, KEY_DLGPLACEMENT, value)) return false;
  WindowPlacement read = placement;
  if (!read.parse(value)) return false;
  read.restoreIfMinimized();
  placement = read;
  return true;
}

bool SettingsFile::writeWindowPlacement(const WindowPlacement &placement) {
  return writeKey(SECT_MAIN, KEY_DLGPLACEMENT, placement.format());
}

bool SettingsFile::readBoolSet(const char *key, BoolSet &flags) {
  std::string value;
  if (!readKey(SECT_MAIN, key, value)) return false;
  flags.fromNumber(static_cast<std::uint32_t>(decimalValue(value)));
  return true;
}

bool SettingsFile::writeBoolSet(const char *key, const BoolSet &flags) {
  return writeKey(SECT_MAIN, key, std::to_string(flags.toNumber()));
}

bool SettingsFile::readDialogFlags(int &alwaysOnTop) {
  BoolSet flags;
  flags.setFlag(0, 1);
  bool found = readBoolSet(KEY_DLG_BOOLS, flags);
  alwaysOnTop = flags.flag(0);
  return found;
}

bool SettingsFile::writeDialogFlags(int alwaysOnTop) {
  BoolSet flags;
  flags.setFlag(0, alwaysOnTop);
  return writeBoolSet(KEY_DLG_BOOLS, flags);
}

bool SettingsFile::readGeneralOptions(int &lineEnding) {
  BoolSet flags;
  bool found = readBoolSet(KEY_GENOPT_BOOLS, flags);
  lineEnding = flags.flag(0);
  return found;
}

bool SettingsFile::writeGeneralOptions(int lineEnding) {
  BoolSet flags;
  flags.setFlag(0, lineEnding);
  return writeBoolSet(KEY_GENOPT_BOOLS, flags);
}

bool SettingsFile::readLocalLastFolder(std::string &path) {
  path.clear();
  return readKey(SECT_MAIN, KEY_DLGLOCALLASTDIR, path);
}

bool SettingsFile::writeLocalLastFolder(const std::string &path) {
  return writeKey(SECT_MAIN, KEY_DLGLOCALLASTDIR, path);
}

bool SettingsFile::readRemoteLastFolder(std::string &path) {
  path.clear();
  return readKey(SECT_MAIN, KEY_DLGREMOTELASTDIR, path);
}

bool SettingsFile::writeRemoteLastFolder(const std::string &path) {
  return writeKey(SECT_MAIN, KEY_DLGREMOTELASTDIR, path);
}

} // namespace linkmoor
