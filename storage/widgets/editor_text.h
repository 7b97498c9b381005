#pragma once
// Line ends and text conversions between a page and the editor.

#include <QString>

#include <string>
#include <string_view>

namespace linkmoor {

/// Replaces every CR LF pair by LF, repeating until none is left, so that any
/// run of CRs in front of an LF disappears ("a\r\r\nb" gives "a\nb"). A CR not
/// followed (after its run) by an LF stays.
QString collapseCrLf(const QString &text);

/// The text exactly as the editor holds it: `collapseCrLf`, then every
/// remaining line-end character that the editor turns into a line break (a
/// lone CR, U+2029 paragraph separator, U+FDD0 and U+FDD1) becomes LF. Every
/// other character is kept as it is.
QString toEditorLineEnds(const QString &text);

/// `text` as a QString.
QString fromPageText(std::u16string_view text);

/// The UTF-16 units of `text`, valid while `text` lives unchanged.
std::u16string_view toPageText(const QString &text);

} // namespace linkmoor
