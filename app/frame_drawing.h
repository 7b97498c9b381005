#pragma once
// The raised and sunken frame edges drawn around the program's own controls. An edge
// whose colour hardly differs from the background it is drawn on (white on the light
// cyan of the workspace) gets a contrasting line on its outer side, so that both edges
// of every frame read: a raised frame stays light at the top and left and dark at the
// bottom and right, a sunken one the other way round.

#include <QColor>
#include <QRect>

class QPainter;

namespace linkmoor {

/// The contrast ratio of two colours (1 for equal colours, 21 for black on white), from
/// their relative luminance.
double contrastRatio(const QColor &a, const QColor &b);

/// The line drawn on the outer side of an edge of colour `edge` on `background`: an
/// invalid colour when the edge reads by itself (a contrast of 3 or more), otherwise
/// a dark shade of the background behind a light edge, a light one behind a dark edge.
QColor edgeOutline(const QColor &edge, const QColor &background);

/// Draws `r`'s top and left edges in `topLeft` and its bottom and right edges in
/// `bottomRight` (a raised frame with a light `topLeft`, a sunken one with a dark one),
/// on `background`: an edge too close to it gets its outline one pixel outside.
void draw3dRect(QPainter &painter, const QRect &r, const QColor &topLeft, const QColor &bottomRight,
                const QColor &background);

/// As above, on the background of the widget painted (its palette's colour for its
/// background role), or on the workspace colour when the painter paints no widget.
void draw3dRect(QPainter &painter, const QRect &r, const QColor &topLeft,
                const QColor &bottomRight);

} // namespace linkmoor
