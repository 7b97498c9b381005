#include "app/dialog_units.h"

#include <QApplication>
#include <QFontMetrics>

namespace linkmoor {

DialogBaseUnits dialogBaseUnits(const QFontMetrics &metrics) {
  const int width = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  DialogBaseUnits base;
  base.x = (width + 26) / 52;
  base.y = metrics.height();
  return base;
}

DialogBaseUnits dialogBaseUnits() { return dialogBaseUnits(QFontMetrics(QApplication::font())); }

int dialogUnitsX(int du, DialogBaseUnits base) {
  const int scaled = du * base.x;
  return scaled >= 0 ? (scaled + 2) / 4 : -((-scaled + 2) / 4);
}

int dialogUnitsY(int du, DialogBaseUnits base) {
  const int scaled = du * base.y;
  return scaled >= 0 ? (scaled + 4) / 8 : -((-scaled + 4) / 8);
}

QRect dialogUnitsToPixels(const QRect &du, DialogBaseUnits base) {
  return QRect(dialogUnitsX(du.x(), base), dialogUnitsY(du.y(), base),
               dialogUnitsX(du.width(), base), dialogUnitsY(du.height(), base));
}

QSize dialogUnitsToPixels(const QSize &du, DialogBaseUnits base) {
  return QSize(dialogUnitsX(du.width(), base), dialogUnitsY(du.height(), base));
}

} // namespace linkmoor
