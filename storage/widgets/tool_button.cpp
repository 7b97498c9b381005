#include "storage/widgets/tool_button.h"

#include <QPainter>

// The pictures are compiled into this library from resources/tool_buttons.qrc; a
// static library needs the explicit initialisation to keep them.
static void initToolButtonPictures() { Q_INIT_RESOURCE(tool_buttons); }

namespace linkmoor {

namespace {

const ToolPicture kPictures[] = {
    {133, "open a file", 134, 135},      {136, "delete it", 137, 138},
    {139, "open a directory", 141, 142}, {156, "stop it", 158, 159},
    {167, "get help", 166, 168},         {169, "add new data", 170, 171},
    {172, "update it", 173, 174},        {176, "save it", 177, 178},
};

} // namespace

QPixmap loadToolPicture(int number, qreal deviceScale) {
  // On a screen scaled above 100 % the picture drawn at twice the resolution serves,
  // marked as such, so that it keeps its size in the layout and shows sharp.
  if (deviceScale > 1.0) {
    QPixmap fine(QStringLiteral(":/tool-buttons/%1@2x.png").arg(number));
    if (!fine.isNull()) {
      fine.setDevicePixelRatio(2.0);
      return fine;
    }
  }
  return QPixmap(QStringLiteral(":/tool-buttons/%1.png").arg(number));
}

namespace {

QPixmap loadPicture(int number, qreal deviceScale) {
  static const bool pictures = (initToolButtonPictures(), true);
  (void)pictures;
  return loadToolPicture(number, deviceScale);
}

} // namespace

const ToolPicture *findToolPicture(int normal) {
  for (const ToolPicture &row : kPictures)
    if (row.normal == normal) return &row;
  return nullptr;
}

ToolButton::ToolButton(int pictureNumber, const QString &caption, QWidget *parent)
    : QPushButton(caption, parent), pictureNumber_(pictureNumber) {
  setAutoDefault(false);
}

QPixmap ToolButton::picture(Picture which) const {
  switch (which) {
  case Picture::Pressed:
    return pressed_;
  case Picture::Disabled:
    return disabled_;
  case Picture::Normal:
    break;
  }
  return normal_;
}

ToolButton::Picture ToolButton::currentPicture() const {
  if (!isEnabled()) return Picture::Disabled;
  if (isDown()) return Picture::Pressed;
  return Picture::Normal;
}

void ToolButton::setUp() {
  setUp_ = true;
  const qreal scale = devicePixelRatioF();
  normal_ = loadPicture(pictureNumber_, scale);
  const ToolPicture *row = findToolPicture(pictureNumber_);
  if (row) {
    pressed_ = loadPicture(row->pressed, scale);
    disabled_ = loadPicture(row->disabled, scale);
  }
  // The size at 100 %: a picture for a scaled screen has more pixels, not more room.
  if (!normal_.isNull()) setFixedSize(normal_.deviceIndependentSize().toSize());
  if (QWidget *parent = parentWidget()) parent->update(geometry().adjusted(-5, -5, 5, 5));
  if (row) setToolTip(QString::fromLatin1(row->toolText) + QLatin1Char(' '));
}

void ToolButton::paintEvent(QPaintEvent *event) {
  if (!setUp_) setUp();
  QPixmap shown = picture(currentPicture());
  if (shown.isNull()) shown = normal_;
  if (shown.isNull()) {
    QPushButton::paintEvent(event);
    return;
  }
  QPainter painter(this);
  painter.drawPixmap(0, 0, shown);
}

} // namespace linkmoor
