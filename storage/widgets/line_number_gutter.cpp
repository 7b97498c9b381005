#include "storage/widgets/line_number_gutter.h"

#include "storage/widgets/editor_style.h"

#include <QPainter>

namespace linkmoor {

std::vector<GutterRow> gutterRows(int firstLine, int lineHeight, int height,
                                  const std::vector<int> &lineTops) {
  std::vector<GutterRow> rows;
  if (lineHeight <= 0 || height <= 0) return rows;
  const int count = height / lineHeight;
  rows.reserve(static_cast<std::size_t>(count));
  int y = 1;
  for (int i = 0; i < count; ++i) {
    if (static_cast<std::size_t>(i) < lineTops.size())
      y = lineTops[static_cast<std::size_t>(i)];
    else if (i > 0)
      y += lineHeight;
    rows.push_back({firstLine + i + 1, y});
  }
  return rows;
}

LineNumberGutter::LineNumberGutter(QWidget *parent) : QWidget(parent) {
  setFont(editorFont());
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void LineNumberGutter::setFirstLine(int firstLine) {
  if (firstLine == firstLine_) return;
  firstLine_ = firstLine;
  redrawNow();
}

void LineNumberGutter::setView(int firstLine, std::vector<int> lineTops) {
  if (firstLine == firstLine_ && lineTops == lineTops_) return;
  firstLine_ = firstLine;
  lineTops_ = std::move(lineTops);
  redrawNow();
}

std::vector<GutterRow> LineNumberGutter::rows() const {
  return gutterRows(firstLine_, lineHeight_, height(), lineTops_);
}

void LineNumberGutter::redrawNow() {
  if (isVisible()) repaint();
}

void LineNumberGutter::paintEvent(QPaintEvent *) {
  ++paintCount_;
  QPainter painter(this);
  painter.fillRect(rect(), gutterBackground());
  painter.setFont(font());
  painter.setPen(gutterNumberColour());
  const int ascent = painter.fontMetrics().ascent();
  for (const GutterRow &row : rows())
    painter.drawText(QPoint(0, row.y + ascent), QString::number(row.number));
}

} // namespace linkmoor
