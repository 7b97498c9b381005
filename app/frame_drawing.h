#pragma once
// The raised and sunken frame edges drawn around the program's own controls.

#include <QColor>
#include <QRect>

class QPainter;

namespace linkmoor {

/// Draws `r`'s top and left edges in `topLeft` and its bottom and right edges in
/// `bottomRight` (a raised frame with a light `topLeft`, a sunken one with a dark one).
void draw3dRect(QPainter &painter, const QRect &r, const QColor &topLeft,
                const QColor &bottomRight);

} // namespace linkmoor
