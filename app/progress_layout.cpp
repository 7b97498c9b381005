#include "app/progress_layout.h"

namespace linkmoor {

namespace {

int halfOf(int value) { return value / 2; } // C division: rounds toward zero

// The first 36 bytes and " ...", cut no later than 36 bytes and never inside a UTF-8
// sequence, so that the shown text stays readable.
std::string head36(const std::string &item) {
  std::size_t end = 36;
  while (end > 0 && (static_cast<unsigned char>(item[end]) & 0xC0) == 0x80)
    --end;
  return item.substr(0, end) + " ...";
}

std::string shortened(const std::string &item) {
  if (item.size() >= 40) return head36(item);
  return item;
}

} // namespace

QPoint centredOver(const QRect &owner, const QSize &panel) {
  return QPoint(owner.left() + halfOf(owner.width() - panel.width()),
                owner.top() + halfOf(owner.height() - panel.height()));
}

QRect progressTextArea(const QRect &client, const QRect &skip, const QRect &stop) {
  QRect area = client.adjusted(4, 4, -4, -4);
  // QRect's right() is inclusive: an edge at x means right() == x - 1.
  if (!skip.isEmpty())
    area.setRight(skip.left() - 6 - 1);
  else if (!stop.isEmpty())
    area.setRight(stop.left() - 6 - 1);
  return area;
}

std::string shortenItemText(const std::string &item, bool cutQuery) {
  if (!cutQuery) return shortened(item);
  std::size_t cut = item.find('#');
  if (cut == std::string::npos) cut = item.find('?');
  if (cut == std::string::npos) return shortened(item);
  if (cut >= 40) return head36(item);
  return item.substr(0, cut);
}

} // namespace linkmoor
