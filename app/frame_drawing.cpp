#include "app/frame_drawing.h"

#include <QPainter>

namespace linkmoor {

void draw3dRect(QPainter &painter, const QRect &r, const QColor &topLeft,
                const QColor &bottomRight) {
  painter.setPen(topLeft);
  painter.drawLine(r.topLeft(), r.topRight());
  painter.drawLine(r.topLeft(), r.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(r.bottomLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomRight());
}

} // namespace linkmoor
