#include "workspace/summary_header.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <utility>

namespace linkmoor {

namespace {

// The first and last column under each of the seven cells.
constexpr std::array<std::pair<int, int>, 7> kSpans{
    {{0, 0}, {1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}, {11, 12}}};

} // namespace

std::array<QString, 7> SummaryHeader::texts(const QString &folder, const QString &siteLinkCaption) {
  const QString slash = QStringLiteral(" / ");
  return {folder,
          QStringLiteral("Bytes") + slash + QStringLiteral("errs"),
          QStringLiteral("TAG") + slash + QStringLiteral("err"),
          QStringLiteral("Script") + slash + QStringLiteral("err"),
          QStringLiteral("L-link") + slash + QStringLiteral("err"),
          siteLinkCaption + slash + QStringLiteral("err"),
          QStringLiteral("R-link") + slash + QStringLiteral("err")};
}

std::array<int, 13> SummaryHeader::minimumWidths(const QFontMetrics &metrics, const QString &folder,
                                                 const QString &siteLinkCaption) {
  std::array<int, 13> minimum{};
  const std::array<QString, 7> all = texts(folder, siteLinkCaption);
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (all[i].isEmpty()) continue;
    spreadSpanMinimum(kSummaryMultiples, minimum, kSpans[i].first, kSpans[i].second,
                      metrics.horizontalAdvance(all[i]) + kCellPadding);
  }
  return minimum;
}

std::vector<SummaryHeaderCell> SummaryHeader::cells(const QRect &list,
                                                    const std::array<int, 13> &widths,
                                                    const QString &folder,
                                                    const QString &siteLinkCaption, int scrolled) {
  const std::array<QString, 7> all = texts(folder, siteLinkCaption);
  const int top = list.y() - kBand;
  const int bottom = list.y() - 1; // exclusive
  std::vector<SummaryHeaderCell> out;
  int x = list.x() - scrolled;
  for (std::size_t i = 0; i < all.size(); ++i) {
    int width = 0;
    for (int c = kSpans[i].first; c <= kSpans[i].second; ++c)
      width += widths[static_cast<std::size_t>(c)];
    out.push_back({QRect(x + 1, top, std::max(0, width - 1), bottom - top), all[i]});
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
                          const QString &folder, const QString &siteLinkCaption, int scrolled) {
  painter.save();
  for (const Stroke &stroke : frame(list))
    painter.fillRect(stroke.rect, stroke.colour);
  // Cells scrolled out of the list's width are cut at its edges, as the rows are.
  painter.setClipRect(QRect(list.x(), list.y() - kBand, list.width(), kBand));
  painter.setFont(QApplication::font());
  painter.setPen(QColor(0, 0, 255));
  painter.setBackgroundMode(Qt::TransparentMode);
  for (const SummaryHeaderCell &cell : cells(list, widths, folder, siteLinkCaption, scrolled)) {
    painter.drawText(cell.rect, Qt::AlignCenter | Qt::TextSingleLine, cell.text);
    for (const Stroke &stroke : threeDRect(cell.rect, Qt::white, Qt::black))
      painter.fillRect(stroke.rect, stroke.colour);
    painter.setPen(QColor(0, 0, 255));
  }
  painter.restore();
}

} // namespace linkmoor
