#pragma once
// The small integer codes stored in the analysis records, and the texts the
// result lists show for them. Codes are kept as their stored integers, so a
// value outside the known set survives and shows as "Unknown" or "n/a".

#include <cstdint>
#include <string_view>

namespace linkmoor {

/// What a scanned segment is; the values are stored and shown.
enum class SegmentKind : std::uint8_t {
  NormalCode = 1, ///< Text between tags (never produced by the scanner).
  ScriptCode = 2, ///< The body between a script tag and its closing tag.
  NormalTag = 3,  ///< Any `<` that opens neither a script tag nor a comment.
  EndTag = 4,     ///< The `</script` tag that closes a script body.
  ScriptTag = 5,  ///< A `<` followed directly by `script`.
  Comment = 6,    ///< `<!` + blanks + `-` + blanks + `-`.
};

/// First syntax error found in a segment; 0 when the segment is well formed.
enum class SyntaxErrorCode : std::uint8_t {
  None = 0,
  BlankAfterOpen = 5,  ///< Blank characters directly after `<`.
  NoEndBrace = 10,     ///< No closing `>` (or no `</script` for a script body).
  NoStringEnd = 15,    ///< A quote inside a tag without its closing quote.
  BlankAfterBang = 20, ///< Blank characters between `<!` and the first dash.
  BlankAfterDash = 25, ///< Blank characters between the two dashes of `<!--`.
  NoCommentEnd = 30,   ///< A comment without `-->`.
};

/// Where a link points; set by extraction and refined by classification.
enum class LinkType : std::uint8_t {
  Local = 0,  ///< A relative link inside the project or site.
  Site = 1,   ///< An absolute link into the project's own site (or `file://`).
  Remote = 2, ///< Any other absolute link.
};

/// Outcome of a link check; 0 until checked and when the target was found.
enum class LinkStatus : std::int32_t {
  Found = 0,
  NoWebSite = 5,   ///< The HTTP request could not be made or sent.
  NoWebFile = 10,  ///< The server answered with a status other than 200.
  NoDiskFile = 15, ///< The disk target could not be opened.
};

/// "Type" column text of a syntax row: "normal code" ... "comment", else "Unknown".
std::string_view segmentKindText(int kind);
/// "Error" column text of a syntax row, else "n/a".
std::string_view syntaxErrorText(int code);
/// "Type" column text of a link row: "Local link", "Site link", "Remote link", else "Unknown".
std::string_view linkTypeText(int type);
/// "Error" column text of a link row: empty for 0, the three failure texts, else "Unknown".
std::string_view linkStatusText(int status);

} // namespace linkmoor
