#include "app/progress_pictures.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace linkmoor {

namespace {

enum class State { Normal, Pressed, Disabled };

struct Which {
  bool stop;
  State state;
};

bool identify(int number, Which &which) {
  switch (number) {
  case PICTURE_SKIP:
    which = {false, State::Normal};
    return true;
  case PICTURE_SKIP_PRESSED:
    which = {false, State::Pressed};
    return true;
  case PICTURE_SKIP_DISABLED:
    which = {false, State::Disabled};
    return true;
  case PICTURE_STOP:
    which = {true, State::Normal};
    return true;
  case PICTURE_STOP_PRESSED:
    which = {true, State::Pressed};
    return true;
  case PICTURE_STOP_DISABLED:
    which = {true, State::Disabled};
    return true;
  default:
    return false;
  }
}

const QColor kFace(212, 208, 200);
const QColor kShadow(128, 128, 128);
const QColor kEtch(160, 160, 160);

// The raised or sunken edges of a button of `size`, in pixels at 100 % (the painter
// is scaled); each edge one such pixel wide.
void bevel(QPainter &p, QSize size, bool pressed) {
  const int w = size.width(), h = size.height();
  p.fillRect(QRectF(0, 0, w, h), kFace);
  auto edge = [&](qreal x, qreal y, qreal ew, qreal eh, const QColor &c) {
    p.fillRect(QRectF(x, y, ew, eh), c);
  };
  if (pressed) {
    edge(0, 0, w, 1, Qt::black);
    edge(0, 0, 1, h, Qt::black);
    edge(1, 1, w - 2, 1, kShadow);
    edge(1, 1, 1, h - 2, kShadow);
    edge(0, h - 1, w, 1, Qt::white);
    edge(w - 1, 0, 1, h, Qt::white);
  } else {
    edge(0, 0, w, 1, Qt::white);
    edge(0, 0, 1, h, Qt::white);
    edge(1, h - 2, w - 2, 1, kShadow);
    edge(w - 2, 1, 1, h - 2, kShadow);
    edge(0, h - 1, w, 1, Qt::black);
    edge(w - 1, 0, 1, h, Qt::black);
  }
}

// The sign in a square of `side` at `at`: a red square (Stop) or a blue double arrow
// (Skip); `etched` draws its outline in gray for a disabled button.
void sign(QPainter &p, QPointF at, qreal side, bool stop, bool etched) {
  p.save();
  p.translate(at);
  if (stop) {
    const QRectF square(0.5, 0.5, side - 1, side - 1);
    p.setPen(QPen(etched ? kEtch : QColor(128, 0, 0), 1));
    p.setBrush(etched ? Qt::NoBrush : QBrush(QColor(220, 20, 20)));
    p.drawRect(square);
  } else {
    const qreal half = side / 2;
    QPainterPath arrows;
    arrows.moveTo(0.5, 0.5);
    arrows.lineTo(half, half);
    arrows.lineTo(0.5, side - 0.5);
    arrows.closeSubpath();
    arrows.moveTo(half - 0.5, 0.5);
    arrows.lineTo(side - 0.5, half);
    arrows.lineTo(half - 0.5, side - 0.5);
    arrows.closeSubpath();
    p.setPen(
        QPen(etched ? kEtch : QColor(0, 0, 128), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(etched ? Qt::NoBrush : QBrush(QColor(0, 0, 230)));
    p.drawPath(arrows);
  }
  p.restore();
}

} // namespace

QSize progressPictureSize(DialogBaseUnits base) { return dialogUnitsToPixels(QSize(25, 17), base); }

QPixmap drawProgressPicture(int number, QSize size, qreal deviceScale, const QFont &font) {
  Which which{};
  if (!identify(number, which) || size.isEmpty()) return {};
  const qreal scale = deviceScale > 0 ? deviceScale : 1.0;
  QPixmap picture(QSize(qRound(size.width() * scale), qRound(size.height() * scale)));
  picture.setDevicePixelRatio(scale);
  picture.fill(Qt::transparent);

  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  const bool pressed = which.state == State::Pressed;
  bevel(p, size, pressed);

  const QString word = which.stop ? QStringLiteral("Stop") : QStringLiteral("Skip");
  p.setFont(font);
  const QFontMetrics metrics(font);
  const int textWidth = metrics.horizontalAdvance(word);
  // The sign is as high as a capital letter. Both buttons show it, or, when the wider
  // word and the sign do not fit inside the edges with some air, neither does: the
  // word must show whole, and the two buttons look alike.
  const qreal side = std::max(5, metrics.capHeight());
  const qreal gap = std::max(2.0, side / 3);
  const qreal room = size.width() - 10;
  const int widerWord = std::max(metrics.horizontalAdvance(QStringLiteral("Stop")),
                                 metrics.horizontalAdvance(QStringLiteral("Skip")));
  const bool withSign = widerWord + gap + side <= room;
  const qreal content = withSign ? textWidth + gap + side : textWidth;
  const qreal shift = pressed ? 1 : 0;
  qreal x = (size.width() - content) / 2 + shift;
  const qreal middle = size.height() / 2.0 + shift;
  const bool etched = which.state == State::Disabled;
  if (withSign) {
    sign(p, QPointF(x, middle - side / 2), side, which.stop, etched);
    x += side + gap;
  }
  const QRectF textBox(x, 0 + shift, textWidth + 2, size.height());
  if (etched) {
    p.setPen(Qt::white);
    p.drawText(textBox.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, word);
    p.setPen(kShadow);
  } else {
    p.setPen(Qt::black);
  }
  p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, word);
  return picture;
}

QPixmap progressPicture(int number) {
  const qreal scale = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  return drawProgressPicture(number, progressPictureSize(dialogBaseUnits()), scale,
                             QApplication::font());
}

} // namespace linkmoor
