#include "app/frame_drawing.h"

#include "app/workspace_brush.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace linkmoor {

namespace {

double channel(int value) {
  const double c = value / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c) {
  return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

QColor backgroundOf(const QPainter &painter) {
  if (const auto *widget = dynamic_cast<const QWidget *>(painter.device()))
    return widget->palette().color(widget->backgroundRole());
  return workspaceColour();
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor edgeOutline(const QColor &edge, const QColor &background) {
  if (contrastRatio(edge, background) >= 3.0) return QColor();
  // A light edge on a light background reads against a dark shade of that background;
  // a dark edge on a dark background against a light one: the shade steps away from
  // the background until it sets the edge off.
  const bool lightEdge = luminance(edge) >= luminance(background);
  QColor shade = background.toHsl();
  // Clearly apart from the edge: a contrast of 4.5, as for text.
  for (int step = 0; step < 22 && contrastRatio(shade, edge) < 4.5; ++step) {
    const int lightness = shade.lightness() + (lightEdge ? -12 : 12);
    shade.setHsl(shade.hslHue(), shade.hslSaturation(), std::clamp(lightness, 0, 255));
  }
  if (contrastRatio(shade, edge) < 4.5) return lightEdge ? QColor(Qt::black) : QColor(Qt::white);
  return QColor(shade.toRgb().rgb());
}

void draw3dRect(QPainter &painter, const QRect &r, const QColor &topLeft, const QColor &bottomRight,
                const QColor &background) {
  painter.save();
  const QColor outerTopLeft = edgeOutline(topLeft, background);
  const QColor outerBottomRight = edgeOutline(bottomRight, background);
  const QRect outside = r.adjusted(-1, -1, 1, 1);
  if (outerTopLeft.isValid()) {
    painter.setPen(outerTopLeft);
    painter.drawLine(outside.topLeft(), QPoint(outside.right() - 1, outside.top()));
    painter.drawLine(outside.topLeft(), QPoint(outside.left(), outside.bottom() - 1));
  }
  if (outerBottomRight.isValid()) {
    painter.setPen(outerBottomRight);
    painter.drawLine(QPoint(outside.left() + 1, outside.bottom()), outside.bottomRight());
    painter.drawLine(QPoint(outside.right(), outside.top() + 1), outside.bottomRight());
  }
  painter.setPen(topLeft);
  painter.drawLine(r.topLeft(), r.topRight());
  painter.drawLine(r.topLeft(), r.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(r.bottomLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomRight());
  painter.restore();
}

void draw3dRect(QPainter &painter, const QRect &r, const QColor &topLeft,
                const QColor &bottomRight) {
  draw3dRect(painter, r, topLeft, bottomRight, backgroundOf(painter));
}

} // namespace linkmoor
