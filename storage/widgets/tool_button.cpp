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

QPixmap loadPicture(int number) {
  return QPixmap(QStringLiteral(":/tool-buttons/%1.png").arg(number));
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
  static const bool pictures = (initToolButtonPictures(), true);
  (void)pictures;
  normal_ = loadPicture(pictureNumber_);
  const ToolPicture *row = findToolPicture(pictureNumber_);
  if (row) {
    pressed_ = loadPicture(row->pressed);
    disabled_ = loadPicture(row->disabled);
  }
  if (!normal_.isNull()) setFixedSize(normal_.size());
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
