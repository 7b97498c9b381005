#include "platform/ftp_listing.h"

#include <cctype>

namespace linkmoor {

namespace {

// Splits `text` at line feeds; a carriage return before the feed is dropped.
std::vector<std::string_view> lines(std::string_view text) {
  std::vector<std::string_view> result;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) result.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return result;
}

std::string lower(std::string_view text) {
  std::string out(text);
  for (char &c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

void add(FtpListing &listing, std::string_view name, bool isDirectory) {
  if (!isSafeFtpName(name)) {
    ++listing.refused;
    return;
  }
  listing.entries.push_back(FtpEntry{std::string(name), isDirectory});
}

// Moves `pos` past one run of blanks, then returns the next blank-free word.
std::string_view nextWord(std::string_view line, std::size_t &pos) {
  while (pos < line.size() && line[pos] == ' ')
    ++pos;
  const std::size_t begin = pos;
  while (pos < line.size() && line[pos] != ' ')
    ++pos;
  return line.substr(begin, pos - begin);
}

void parseUnixLine(FtpListing &listing, std::string_view line) {
  const char kind = line[0];
  std::size_t pos = 0;
  // Mode, links, owner, group, size, month, day, time or year: eight words.
  for (int word = 0; word < 8; ++word) {
    if (nextWord(line, pos).empty()) return;
  }
  if (pos >= line.size()) return;
  std::string_view name = line.substr(pos + 1);
  if (kind == 'l') {
    const std::size_t arrow = name.find(" -> ");
    if (arrow != std::string_view::npos) name = name.substr(0, arrow);
  }
  add(listing, name, kind == 'd');
}

void parseDosLine(FtpListing &listing, std::string_view line) {
  std::size_t pos = 0;
  nextWord(line, pos); // date
  nextWord(line, pos); // time
  const std::string_view sizeOrDir = nextWord(line, pos);
  if (sizeOrDir.empty() || pos >= line.size()) return;
  std::size_t nameStart = pos;
  while (nameStart < line.size() && line[nameStart] == ' ')
    ++nameStart;
  add(listing, line.substr(nameStart), sizeOrDir == "<DIR>");
}

} // namespace

bool isSafeFtpName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (unsigned char c : name) {
    if (c == '/' || c < 32 || c == 127) return false;
  }
  return true;
}

FtpListing parseMlsdListing(std::string_view text) {
  FtpListing listing;
  for (std::string_view line : lines(text)) {
    // The facts end at the first blank; the name is everything behind it.
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) continue;
    const std::string_view facts = line.substr(0, blank);
    const std::string_view name = line.substr(blank + 1);
    std::string type;
    std::size_t pos = 0;
    while (pos < facts.size()) {
      std::size_t end = facts.find(';', pos);
      if (end == std::string_view::npos) end = facts.size();
      const std::string fact = lower(facts.substr(pos, end - pos));
      if (fact.rfind("type=", 0) == 0) type = fact.substr(5);
      pos = end + 1;
    }
    if (type == "dir")
      add(listing, name, true);
    else if (type == "file")
      add(listing, name, false);
  }
  return listing;
}

FtpListing parseListListing(std::string_view text) {
  FtpListing listing;
  for (std::string_view line : lines(text)) {
    const unsigned char first = static_cast<unsigned char>(line[0]);
    if (std::isdigit(first))
      parseDosLine(listing, line);
    else if (first == '-' || first == 'd' || first == 'l')
      parseUnixLine(listing, line);
  }
  return listing;
}

} // namespace linkmoor
