#include "storage/settings_file.h"

#include "storage/decimal_text.h"
#include "storage/program_folder.h"
#include "storage/safe_file_write.h"

#include <cstring>

namespace linkmoor {

namespace {

constexpr std::int32_t kReadChunk = 4096;
// Files beyond this size are left alone: they cannot come from this program.
constexpr std::int64_t kMaxSettingsSize = 0x7FFFFFFF;

bool startsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

} // namespace

std::string SettingsFile::filePath() {
  return ProgramFolder::dataFilePath(ProgramFolder::kSettingsFile);
}

bool SettingsFile::openOrCreate() {
  contentKnown_ = false;
  std::string path = filePath();
  path_ = path;
  if (!file_.openExisting(path, true) && !file_.create(path, false, FilePrivacy::OwnerOnly)) {
    return false;
  }
  ensureSection(SECT_MAIN);
  ensureSection(SECT_GLOBAL);
  return true;
}

bool SettingsFile::openExisting() {
  contentKnown_ = false;
  path_ = filePath();
  return file_.openExisting(path_, true);
}

void SettingsFile::close() {
  file_.close();
  contentKnown_ = false;
  content_.clear();
  content_.shrink_to_fit();
}

bool SettingsFile::ensureSection(const char *name) {
  if (findSection(name)) return true;
  const std::string *whole = readAll();
  std::string content = whole ? *whole : std::string();
  if (!whole && file_.size() != 0) return false;
  content += std::string("\r\n\r\n{") + name + "}\r\n<KEY>\r\n<LIST>\r\n";
  return rewrite(std::move(content), -1);
}

bool SettingsFile::rewrite(std::string content, std::int64_t position) {
  // The whole new file goes to the disk beside the old one and replaces it only
  // once it is complete, so a full disk never cuts the file short.
  if (writeFileSafely(path_, content, 0600) != WriteOutcome::Written) {
    contentKnown_ = false;
    return false;
  }
  // The name may now be another file: the object holds the one just written.
  if (!file_.openExisting(path_, true)) {
    contentKnown_ = false;
    return false;
  }
  const std::int64_t size = static_cast<std::int64_t>(content.size());
  content_ = std::move(content);
  contentKnown_ = true;
  file_.seek(position < 0 ? size : position, SeekOrigin::Begin);
  return true;
}

const std::string *SettingsFile::readAll() {
  if (!contentKnown_) {
    content_.clear();
    std::int64_t size = file_.size();
    if (size > kMaxSettingsSize) return nullptr;
    content_.resize(static_cast<std::size_t>(size));
    std::int32_t got = 0;
    if (!file_.seek(0, SeekOrigin::Begin) ||
        !file_.read(content_.data(), static_cast<std::int32_t>(size), &got)) {
      content_.clear();
      return nullptr;
    }
    content_.resize(static_cast<std::size_t>(got));
    contentKnown_ = true;
  }
  return content_.empty() ? nullptr : &content_;
}

bool SettingsFile::findSection(const std::string &name, std::int64_t *headerStart,
                               std::int64_t *bodyStart) {
  const std::string *data = nullptr;
  return locateSection(name, data, headerStart, bodyStart);
}

bool SettingsFile::locateSection(const std::string &name, const std::string *&whole,
                                 std::int64_t *headerStart, std::int64_t *bodyStart) {
  if (!isOpen()) return false;
  std::int64_t before = file_.position();
  whole = readAll();
  if (!whole) {
    file_.seek(before, SeekOrigin::Begin);
    return false;
  }
  const std::string &data = *whole;
  const std::string header = "{" + name + "}";
  std::size_t pos = 0;
  for (;;) {
    std::size_t brace = data.find('{', pos);
    if (brace == std::string::npos) break;
    std::size_t lineEnd = data.find("\r\n", brace);
    std::size_t candidateEnd = lineEnd == std::string::npos ? data.size() : lineEnd;
    std::size_t length = candidateEnd - brace;
    while (length > 1 && data[brace + length - 1] == ' ')
      --length;
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
    any = true;
    const char *cr = static_cast<const char *>(std::memchr(chunk, '\r', got));
    if (!cr) {
      line.append(chunk, static_cast<std::size_t>(got));
      offset += got;
      continue;
    }
    std::int32_t i = static_cast<std::int32_t>(cr - chunk);
    line.append(chunk, static_cast<std::size_t>(i));
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
}

bool SettingsFile::lineAt(std::string_view data, std::size_t pos, std::string_view &line,
                          std::size_t &behind) {
  if (pos >= data.size()) return false;
  std::size_t cr = data.find('\r', pos);
  if (cr == std::string_view::npos) {
    line = data.substr(pos);
    behind = data.size();
  } else if (cr + 1 < data.size() && data[cr + 1] == '\n') {
    line = data.substr(pos, cr - pos);
    behind = cr + 2;
  } else {
    line = data.substr(pos, cr + 1 - pos);
    behind = cr + 1;
  }
  return true;
}

bool SettingsFile::readKey(const std::string &section, const std::string &key, std::string &value) {
  const std::string *whole = nullptr;
  std::int64_t body = 0;
  if (!locateSection(section, whole, nullptr, &body)) return false;
  std::string_view data = *whole;
  const std::string prefix = "[" + key + "]";
  std::string_view line;
  std::size_t pos = static_cast<std::size_t>(body), behind = 0;
  for (; lineAt(data, pos, line, behind); pos = behind) {
    if (startsWith(line, "<LIST>")) break;
    if (startsWith(line, prefix)) {
      std::string_view rest = line.substr(prefix.size());
      value.assign(rest.substr(0, rest.find('\0')));
      file_.seek(static_cast<std::int64_t>(behind), SeekOrigin::Begin);
      return true;
    }
  }
  file_.seek(static_cast<std::int64_t>(pos), SeekOrigin::Begin);
  return false;
}

bool SettingsFile::writeKey(const std::string &section, const std::string &key,
                            const std::string &value) {
  if (value.find_first_of(std::string_view("\r\0", 2)) != std::string::npos) return false;
  const std::string *whole = nullptr;
  std::int64_t body = 0;
  if (!locateSection(section, whole, nullptr, &body)) return false;
  std::string_view data = *whole;
  const std::string prefix = "[" + key + "]";
  std::string_view line;
  // Without a key line or "<LIST>" the new line goes at the end of the file.
  std::size_t rangeStart = data.size(), rangeEnd = data.size();
  std::size_t pos = static_cast<std::size_t>(body), behind = 0;
  for (; lineAt(data, pos, line, behind); pos = behind) {
    if (startsWith(line, "<LIST>")) {
      rangeStart = rangeEnd = pos;
      break;
    }
    if (startsWith(line, prefix)) {
      rangeStart = pos;
      rangeEnd = behind;
      break;
    }
  }
  return replaceRange(static_cast<std::int64_t>(rangeStart), static_cast<std::int64_t>(rangeEnd),
                      prefix + value + "\r\n");
}

bool SettingsFile::replaceRange(std::int64_t start, std::int64_t end, std::string_view text) {
  if (!isOpen()) return false;
  const std::int64_t size = file_.size();
  if (start < 0 || end < start || end > size || size > kMaxSettingsSize) return false;
  const std::string *whole = readAll();
  if (size > 0 && (!whole || static_cast<std::int64_t>(whole->size()) != size)) return false;
  const std::string_view data = whole ? std::string_view(*whole) : std::string_view();
  std::string out;
  // A line inserted at the very end starts a line of its own: behind a last
  // line without CR LF (ending in a lone LF, or in nothing) a CR LF comes first,
  // as a lone LF ends no line here and the new key would be lost in the old one.
  if (start == end && start != 0 && start == size &&
      data.substr(data.size() - std::min<std::size_t>(2, data.size())) != "\r\n")
    out = "\r\n";
  out.append(text);
  std::string content(data.substr(0, static_cast<std::size_t>(start)));
  content += out;
  // The tail is kept whole, NUL bytes included.
  content.append(data.substr(static_cast<std::size_t>(end)));
  if (content.size() > static_cast<std::size_t>(kMaxSettingsSize)) return false;
  return rewrite(std::move(content), start + static_cast<std::int64_t>(out.size()));
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
