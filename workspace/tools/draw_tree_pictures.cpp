// linkmoor-tree-pictures DIR: draws the two picture strips of the file trees into DIR
// (local_tree.png: 18 cells of 16 by 16; remote_tree.png: 32 cells of 20 by 16), and
// each again at twice the size (local_tree@2x.png, remote_tree@2x.png) for screens
// scaled to 200 %, from the same vector drawing, so both read sharp. Every even cell is
// an item's picture, the odd cell after it the same item when selected. White is the
// transparent colour, so nothing meant to show is drawn in pure white.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kPaper(250, 250, 246);
const QColor kOutline(70, 70, 70);
const QColor kFolder(236, 190, 70);
const QColor kFolderDark(176, 128, 30);
const QColor kHtmlBlue(30, 90, 200);
const QColor kMark(208, 40, 40);

enum class Look { Plain, Selected };

void folder(QPainter &p, int x, Look look, bool open, bool listed) {
  const QColor body = look == Look::Selected ? kFolder.lighter(112) : kFolder;
  p.setPen(kFolderDark);
  p.setBrush(body.darker(108));
  p.drawRect(x + 1, 3, 5, 2); // the tab
  p.setBrush(body);
  if (open) {
    p.drawRect(x + 1, 4, 13, 9);
    QPainterPath flap;
    flap.moveTo(x + 3.5, 7.5);
    flap.lineTo(x + 15.5, 7.5);
    flap.lineTo(x + 13.5, 13.5);
    flap.lineTo(x + 1.5, 13.5);
    flap.closeSubpath();
    p.setBrush(body.lighter(118));
    p.drawPath(flap);
  } else {
    p.drawRect(x + 1, 5, 13, 8);
    p.setPen(body.lighter(125));
    p.drawLine(x + 2, 6, x + 13, 6);
  }
  if (!listed) { // dotted: the folder's content is not known yet
    p.setPen(QPen(kOutline, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(x + 4, 8, 6, 3);
  }
}

void page(QPainter &p, int x, Look look, bool html) {
  QPainterPath sheet;
  sheet.moveTo(x + 3.5, 1.5);
  sheet.lineTo(x + 10.5, 1.5);
  sheet.lineTo(x + 13.5, 4.5);
  sheet.lineTo(x + 13.5, 14.5);
  sheet.lineTo(x + 3.5, 14.5);
  sheet.closeSubpath();
  p.setPen(look == Look::Selected ? kHtmlBlue.darker(130) : kOutline);
  p.setBrush(look == Look::Selected ? QColor(214, 228, 250) : kPaper);
  p.drawPath(sheet);
  p.setBrush(Qt::NoBrush);
  p.drawLine(x + 10, 2, x + 10, 5);
  p.drawLine(x + 10, 5, x + 13, 5);
  if (html) { // a blue title band and the angle brackets of a tag
    p.setPen(Qt::NoPen);
    p.setBrush(kHtmlBlue);
    p.drawRect(x + 4, 6, 9, 2);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kHtmlBlue);
    p.drawLine(x + 7, 9, x + 5, 11);
    p.drawLine(x + 5, 11, x + 7, 13);
    p.drawLine(x + 10, 9, x + 12, 11);
    p.drawLine(x + 12, 11, x + 10, 13);
  } else {
    p.setPen(QColor(150, 150, 150));
    for (int y = 7; y <= 12; y += 2)
      p.drawLine(x + 5, y, x + 11, y);
  }
}

void site(QPainter &p, int x, Look look) {
  const QColor ground = look == Look::Selected ? QColor(120, 170, 240) : QColor(70, 130, 210);
  p.setPen(kOutline);
  p.setBrush(ground);
  p.drawEllipse(QRectF(x + 2.5, 1.5, 12, 12));
  p.setPen(QColor(230, 240, 250));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(x + 5.5, 1.5, 6, 12));
  p.drawLine(QPointF(x + 3, 7.5), QPointF(x + 14, 7.5));
  p.setPen(kOutline);
  p.setBrush(QColor(120, 120, 120));
  p.drawRect(x + 5, 13, 7, 2);
}

// The red corner that marks the folder served as the web site.
void mark(QPainter &p, int x, int width) {
  p.setPen(Qt::NoPen);
  p.setBrush(kMark);
  QPainterPath corner;
  corner.moveTo(x + width, 16);
  corner.lineTo(x + width - 7, 16);
  corner.lineTo(x + width, 9);
  corner.closeSubpath();
  p.drawPath(corner);
}

// A white strip of `cells` cells, `scale` device pixels to the picture's pixel.
QImage strip(int cellWidth, int cells, int scale) {
  QImage image(cellWidth * cells * scale, 16 * scale, QImage::Format_RGB32);
  image.fill(kWhite);
  return image;
}

// Sets a painter up to draw in the pictures' own pixels on a strip of `scale`.
void scaled(QPainter &p, int scale) {
  p.scale(scale, scale);
  // Edges stay hard: a blended edge pixel would not be pure white, hence not
  // transparent, and would show as a light fringe on the selection colour.
  p.setRenderHint(QPainter::Antialiasing, false);
}

QImage localStrip(int scale) {
  QImage image = strip(16, 18, scale);
  QPainter p(&image);
  scaled(p, scale);
  for (Look look : {Look::Plain, Look::Selected}) {
    const int step = look == Look::Selected ? 16 : 0;
    folder(p, 4 * 16 + step, look, look == Look::Selected, true);
    page(p, 6 * 16 + step, look, false);
    page(p, 8 * 16 + step, look, true);
  }
  return image;
}

QImage remoteStrip(int scale) {
  QImage image = strip(20, 32, scale);
  QPainter p(&image);
  scaled(p, scale);
  for (Look look : {Look::Plain, Look::Selected}) {
    const int step = look == Look::Selected ? 20 : 0;
    const bool open = look == Look::Selected;
    site(p, 0 * 20 + step + 1, look);
    site(p, 2 * 20 + step + 1, look);
    mark(p, 2 * 20 + step, 20);
    folder(p, 4 * 20 + step + 2, look, open, false);
    folder(p, 6 * 20 + step + 2, look, open, false);
    mark(p, 6 * 20 + step, 20);
    folder(p, 8 * 20 + step + 2, look, open, true);
    folder(p, 10 * 20 + step + 2, look, open, true);
    mark(p, 10 * 20 + step, 20);
    page(p, 12 * 20 + step + 2, look, false);
    page(p, 14 * 20 + step + 2, look, true);
  }
  return image;
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: linkmoor-tree-pictures DIR\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);
  bool ok = localStrip(1).save(dir + QStringLiteral("/local_tree.png"));
  ok &= remoteStrip(1).save(dir + QStringLiteral("/remote_tree.png"));
  ok &= localStrip(2).save(dir + QStringLiteral("/local_tree@2x.png"));
  ok &= remoteStrip(2).save(dir + QStringLiteral("/remote_tree@2x.png"));
  return ok ? 0 : 1;
}
