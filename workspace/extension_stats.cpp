#include "workspace/extension_stats.h"

#include <algorithm>

namespace linkmoor {

namespace {

unsigned char lowered(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

} // namespace

std::string ExtensionStats::extensionOf(const std::string &fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
}

bool ExtensionStats::isSupported(const std::string &extension) {
  return compareNoCase(extension, "htm") == 0 || compareNoCase(extension, "html") == 0;
}

int ExtensionStats::compareNoCase(const std::string &a, const std::string &b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int d =
        lowered(static_cast<unsigned char>(a[i])) - lowered(static_cast<unsigned char>(b[i]));
    if (d != 0) return d;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

void ExtensionStats::add(const std::string &fileName) {
  const std::string extension = extensionOf(fileName);
  auto place = std::lower_bound(stats_.begin(), stats_.end(), extension,
                                [](const ExtensionStat &stat, const std::string &key) {
                                  return compareNoCase(stat.extension, key) < 0;
                                });
  if (place == stats_.end() || compareNoCase(place->extension, extension) != 0)
    place = stats_.insert(place, ExtensionStat{extension, 0, isSupported(extension)});
  ++place->count;
}

std::vector<ExtensionStat> ExtensionStats::displayOrder() const {
  std::vector<ExtensionStat> rows;
  for (const ExtensionStat &stat : stats_)
    if (stat.supported) rows.push_back(stat);
  for (const ExtensionStat &stat : stats_)
    if (!stat.supported) rows.push_back(stat);
  return rows;
}

bool isHtmlFileName(const std::string &fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || dot == 0) return false;
  const std::string extension = fileName.substr(dot + 1);
  return extension == "htm" || extension == "html";
}

} // namespace linkmoor
