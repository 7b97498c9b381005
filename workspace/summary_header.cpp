#include "workspace/summary_header.h"

#include <QApplication>
#include <QPainter>

namespace linkmoor {

std::vector<SummaryHeaderCell> SummaryHeader::cells(const QRect &list,
                                                    const std::array<int, 13> &widths,
                                                    const QString &folder,
                                                    const QString &siteLinkCaption) {
  struct Entry {
    int first, last;
    QString text;
  };
  const QString slash = QStringLiteral(" / ");
  const Entry entries[] = {
      {0, 0, folder},
      {1, 2, QStringLiteral("Bytes") + slash + QStringLiteral("errs")},
      {3, 4, QStringLiteral("TAG") + slash + QStringLiteral("err")},
      {5, 6, QStringLiteral("Script") + slash + QStringLiteral("err")},
      {7, 8, QStringLiteral("L-link") + slash + QStringLiteral("err")},
      {9, 10, siteLinkCaption + slash + QStringLiteral("err")},
      {11, 12, QStringLiteral("R-link") + slash + QStringLiteral("err")},
  };
  const int top = list.y() - kBand;
  const int bottom = list.y() - 1; // exclusive
  std::vector<SummaryHeaderCell> out;
  int x = list.x();
  for (const Entry &entry : entries) {
    int width = 0;
    for (int c = entry.first; c <= entry.last; ++c)
      width += widths[static_cast<std::size_t>(c)];
    out.push_back({QRect(x + 1, top, std::max(0, width - 1), bottom - top), entry.text});
    x += width;
  }
  return out;
}

std::vector<Stroke> SummaryHeader::frame(const QRect &list) {
  const QRect area(list.x(), list.y() - kBand, list.width(), list.height() + kBand);
  std::vector<Stroke> strokes = threeDRect(area.adjusted(-1, -1, 1, 1), Qt::black, Qt::white);
  for (const Stroke &s : threeDRect(area.adjusted(-2, -2, 2, 2), Qt::black, Qt::white))
    strokes.push_back(s);
  return strokes;
}

void SummaryHeader::paint(QPainter &painter, const QRect &list, const std::array<int, 13> &widths,
                          const QString &folder, const QString &siteLinkCaption) {
  painter.save();
  for (const Stroke &stroke : frame(list))
    painter.fillRect(stroke.rect, stroke.colour);
  painter.setFont(QApplication::font());
  painter.setPen(QColor(0, 0, 255));
  painter.setBackgroundMode(Qt::TransparentMode);
  for (const SummaryHeaderCell &cell : cells(list, widths, folder, siteLinkCaption)) {
    painter.drawText(cell.rect, Qt::AlignCenter | Qt::TextSingleLine, cell.text);
    for (const Stroke &stroke : threeDRect(cell.rect, Qt::white, Qt::black))
      painter.fillRect(stroke.rect, stroke.colour);
    painter.setPen(QColor(0, 0, 255));
  }
  painter.restore();
}

} // namespace linkmoor
