#include "workspace/tree_image_strip.h"

#include <QImage>

static void initWorkspacePictures() { Q_INIT_RESOURCE(workspace); }

namespace linkmoor {

TreeImageStrip::TreeImageStrip(const QString &resource, QSize cellSize, int cells)
    : cellSize_(cellSize) {
  initWorkspacePictures();
  QImage strip = QImage(resource).convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < strip.height(); ++y) {
    auto *line = reinterpret_cast<QRgb *>(strip.scanLine(y));
    for (int x = 0; x < strip.width(); ++x)
      if ((line[x] & 0xFFFFFF) == 0xFFFFFF) line[x] = qRgba(255, 255, 255, 0);
  }
  for (int i = 0; i < cells; ++i) {
    QImage cell(cellSize, QImage::Format_ARGB32);
    cell.fill(Qt::transparent);
    const QRect source(i * cellSize.width(), 0, cellSize.width(), cellSize.height());
    if (strip.rect().contains(source)) cell = strip.copy(source);
    cells_.push_back(QPixmap::fromImage(cell));
  }
}

const TreeImageStrip &TreeImageStrip::local() {
  static const TreeImageStrip strip(QStringLiteral(":/workspace/local_tree.png"), QSize(16, 16),
                                    18);
  return strip;
}

const TreeImageStrip &TreeImageStrip::remote() {
  static const TreeImageStrip strip(QStringLiteral(":/workspace/remote_tree.png"), QSize(20, 16),
                                    32);
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
