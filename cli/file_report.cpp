#include "cli/file_report.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace linkmoor::cli {

int FileReport::brokenLinks() const {
  return summary.localLinksMissing + summary.siteLinksMissing + summary.remoteLinksMissing;
}

bool FileReport::unreadable() const {
  return !analysed && (summary.sizeText == "open" || summary.sizeText == "read");
}

namespace {

std::string pair(int count, int errors) {
  return std::to_string(count) + "/" + std::to_string(errors);
}

std::string column(const std::string &text, int width) {
  if (static_cast<int>(text.size()) >= width) return text;
  return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

// What the status word of a file that was not analysed means.
std::string notAnalysedReason(const std::string &word) {
  if (word == "open") return " (the file cannot be opened)";
  if (word == "empty") return " (the file is empty)";
  if (word == "read") return " (the file cannot be read whole)";
  if (word == "binary") return " (the file holds zero bytes: not a text page)";
  return "";
}

std::string padRight(const std::string &text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

} // namespace

std::string formatText(const FileReport &r) {
  std::string out = r.file + "\n";
  if (!r.analysed)
    return out + "    " + r.summary.sizeText + notAnalysedReason(r.summary.sizeText) + "\n";
  const FileSummary &s = r.summary;
  const char *siteColumn = r.remote ? "S-link/err" : "F-link/err";
  out += "    " + column("Bytes", 9) + column("errs", 6) + column("TAG/err", 10) +
         column("Script/err", 12) + column("L-link/err", 12) + column(siteColumn, 12) +
         column("R-link/err", 12) + "\n";
  out += "    " + column(std::to_string(s.size), 9) + column(std::to_string(s.errorTotal()), 6) +
         column(pair(s.tags, s.tagErrors), 10) + column(pair(s.scripts, s.scriptErrors), 12);
  if (!r.hasSyntaxErrors())
    out += column(pair(s.localLinks, s.localLinksMissing), 12) +
           column(pair(s.siteLinks, s.siteLinksMissing), 12) +
           column(pair(s.remoteLinks, s.remoteLinksMissing), 12);
  out += "\n";
  if (r.notChecked > 0)
    out += "    " + std::to_string(r.notChecked) + (r.notChecked == 1 ? " link" : " links") +
           " not checked\n";
  for (const ReportRow &row : r.rows) {
    out += "    line " + column(std::to_string(row.line), 5) + "  " + padRight(row.type, 12) +
           "  " + padRight(row.error, 35) + "  " + row.excerpt;
    if (row.linkRow && row.target != row.excerpt) out += "  ->  " + row.target;
    out += "\n";
  }
  return out;
}

std::string formatJson(const FileReport &r) {
  const FileSummary &s = r.summary;
  nlohmann::ordered_json j;
  j["file"] = r.file;
  j["sizeText"] = s.sizeText;
  j["size"] = s.size;
  j["tags"] = s.tags;
  j["tagErrors"] = s.tagErrors;
  j["scripts"] = s.scripts;
  j["scriptErrors"] = s.scriptErrors;
  j["localLinks"] = s.localLinks;
  j["localLinksMissing"] = s.localLinksMissing;
  j["siteLinks"] = s.siteLinks;
  j["siteLinksMissing"] = s.siteLinksMissing;
  j["remoteLinks"] = s.remoteLinks;
  j["remoteLinksMissing"] = s.remoteLinksMissing;
  j["notChecked"] = r.notChecked;
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  for (const ReportRow &row : r.rows)
    rows.push_back({{"line", row.line},
                    {"type", row.type},
                    {"error", row.error},
                    {"excerpt", row.excerpt},
                    {"target", row.target}});
  j["rows"] = std::move(rows);
  // Page bytes need not be UTF-8; invalid sequences become U+FFFD rather than
  // making the whole line unwritable.
  return j.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

void RunTotals::add(const FileReport &r) {
  ++files;
  syntaxErrors += r.summary.tagErrors + r.summary.scriptErrors;
  brokenLinks += r.brokenLinks();
  notChecked += r.notChecked;
  if (r.unreadable()) ++unreadable;
}

std::string formatTotals(const RunTotals &t) {
  auto counted = [](int n, const char *one, const char *many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  std::string out = counted(t.files, "file", "files") + ", " +
                    counted(t.syntaxErrors, "syntax error", "syntax errors") + ", " +
                    counted(t.brokenLinks, "broken link", "broken links");
  if (t.notChecked > 0) out += ", " + counted(t.notChecked, "link", "links") + " not checked";
  if (t.unreadable > 0) out += ", " + std::to_string(t.unreadable) + " unreadable";
  return out + "\n";
}

} // namespace linkmoor::cli
