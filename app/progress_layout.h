#pragma once
// The arithmetic of the progress strip: where it stands over its owner, where its
// texts go, and how a long item is shortened for its second line.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <string>

namespace linkmoor {

/// Top-left corner that centres a panel of `panel` size over `owner` (screen
/// coordinates): owner left + (owner width - panel width) / 2, likewise for the top,
/// with integer division.
QPoint centredOver(const QRect &owner, const QSize &panel);

/// The text area of the panel: `client` deflated by 4 on every side, its right edge 6
/// pixels left of the visible "Skip" button, else of the visible "Stop" button (pass an
/// empty rectangle for a hidden button).
QRect progressTextArea(const QRect &client, const QRect &skip, const QRect &stop);

/// The item as the second line shows it. Without `cutQuery`, 40 characters or more
/// become the first 36 and " ...". With `cutQuery`, the text is cut before its first '#'
/// (or, without one, its first '?'); a cut at position 40 or beyond shows the first 36
/// and " ..."; without either character the rule without `cutQuery` applies.
std::string shortenItemText(const std::string &item, bool cutQuery);

} // namespace linkmoor
