#include "engine/file_summary.h"

namespace linkmoor {

void FileSummary::clearCounts() {
  tags = tagErrors = scripts = scriptErrors = 0;
  localLinks = localLinksMissing = siteLinks = siteLinksMissing = 0;
  remoteLinks = remoteLinksMissing = 0;
  size = 0;
}

void FileSummary::countSegments(const RecordArray<MarkupSegment> &segments) {
  for (const auto &segment : segments) {
    if (!segment) continue;
    const int kind = static_cast<int>(segment->kind);
    if (kind == static_cast<int>(SegmentKind::ScriptCode)) {
      ++scripts;
      if (segment->hasError()) ++scriptErrors;
    } else if (kind >= static_cast<int>(SegmentKind::NormalTag) &&
               kind <= static_cast<int>(SegmentKind::Comment)) {
      ++tags;
      if (segment->hasError()) ++tagErrors;
    }
  }
}

void FileSummary::countLinks(const LinkList &links) {
  localLinks = localLinksMissing = siteLinks = siteLinksMissing = 0;
  remoteLinks = remoteLinksMissing = 0;
  for (const auto &link : links) {
    if (!link) continue;
    std::int32_t *found = &localLinks;
    std::int32_t *missing = &localLinksMissing;
    if (link->type == LinkType::Site) {
      found = &siteLinks;
      missing = &siteLinksMissing;
    } else if (link->type == LinkType::Remote) {
      found = &remoteLinks;
      missing = &remoteLinksMissing;
    }
    ++*found;
    if (link->status != LinkStatus::Found) ++*missing;
  }
}

std::int32_t FileSummary::errorTotal() const {
  return tagErrors + scriptErrors + localLinksMissing + siteLinksMissing + remoteLinksMissing;
}

} // namespace linkmoor
