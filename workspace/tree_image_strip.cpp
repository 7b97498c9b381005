#include "workspace/tree_image_strip.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

static void initWorkspacePictures() { Q_INIT_RESOURCE(workspace); }

namespace linkmoor {

QString TreeImageStrip::resourceFor(const QString &resource, int scale) {
  if (scale <= 1) return resource;
  QString scaled = resource;
  scaled.insert(scaled.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(scale));
  return scaled;
}

int TreeImageStrip::screenScale() {
  // Pictures exist at 100 % and 200 %; 150 % takes the larger one, scaled down.
  return qGuiApp && qGuiApp->devicePixelRatio() > 1.0 ? 2 : 1;
}

TreeImageStrip::TreeImageStrip(const QString &resource, QSize cellSize, int cells, int scale)
    : cellSize_(cellSize) {
  initWorkspacePictures();
  if (scale > 1 && !QFile::exists(resourceFor(resource, scale))) scale = 1;
  QImage strip = QImage(resourceFor(resource, scale)).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < strip.height(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(strip.scanLine(y));
    for (int x = 0; x < strip.width(); ++x)
      if ((line[x] & 0xFFFFFF) == 0xFFFFFF) line[x] = qRgba(255, 255, 255, 0);
  }
  const QSize device = cellSize * scale;
  for (int i = 0; i < cells; ++i) {
    QImage cell(device, QImage::Format_ARGB32);
    cell.fill(Qt::transparent);
    const QRect source(i * device.width(), 0, device.width(), device.height());
    if (strip.rect().contains(source)) cell = strip.copy(source);
    QPixmap picture = QPixmap::fromImage(cell);
    picture.setDevicePixelRatio(scale);
    cells_.push_back(picture);
  }
}

const TreeImageStrip &TreeImageStrip::local() {
  static const TreeImageStrip strip(QStringLiteral(":/workspace/local_tree.png"), QSize(16, 16), 18,
                                    screenScale());
  return strip;
}

const TreeImageStrip &TreeImageStrip::remote() {
  static const TreeImageStrip strip(QStringLiteral(":/workspace/remote_tree.png"), QSize(20, 16),
                                    32, screenScale());
  return strip;
}

QPixmap TreeImageStrip::cell(int index) const {
  if (index < 0 || index >= cellCount()) return {};
  return cells_[static_cast<std::size_t>(index)];
}

QIcon TreeImageStrip::icon(int image) const {
  QIcon icon;
  icon.addPixmap(cell(image), QIcon::Normal);
  icon.addPixmap(cell(image + 1), QIcon::Selected);
  return icon;
}

} // namespace linkmoor
