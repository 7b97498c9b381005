#include "app/picture_button.h"

#include <QPainter>

namespace linkmoor {

PictureButton::PictureButton(const QString &text, const QPixmap &normal, const QPixmap &pressed,
                             const QPixmap &disabled, QWidget *parent)
    : QAbstractButton(parent), normal_(normal), pressed_(pressed), disabled_(disabled) {
  setText(text);
  setFocusPolicy(Qt::NoFocus);
  // The size at 100 %: a picture for a scaled screen has more pixels, not more room.
  if (!normal_.isNull()) setFixedSize(sizeHint());
}

QSize PictureButton::sizeHint() const {
  return normal_.isNull() ? QSize(40, 24) : normal_.deviceIndependentSize().toSize();
}

void PictureButton::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  const QPixmap &shown = !isEnabled() ? disabled_ : isDown() ? pressed_ : normal_;
  if (!shown.isNull()) {
    painter.drawPixmap(0, 0, shown);
    return;
  }
  // Without pictures the caption stays readable.
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace linkmoor
