#include "app/menu_bar.h"

namespace linkmoor {

namespace {

// Windows repaints an item's rectangle inflated by one pixel, to include its frame.
QRect repaintArea(const QRect &r) { return r.adjusted(-1, -1, 1, 1); }

} // namespace

MenuBar::MenuBar() {
  items_[0].caption = QStringLiteral("Analyze");
  items_[0].popupId = 151;
  items_[1].caption = QStringLiteral("Options");
  items_[1].popupId = 152;
  items_[2].caption = QStringLiteral("Help");
  items_[2].popupId = 153;
}

void MenuBar::layout(const std::array<int, 3> &captionWidths, int clientLeft, int clientTop,
                     int menuBarHeight) {
  const int top = clientTop + 2;
  int left = clientLeft + 8;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const int right = left + captionWidths[i] + 8; // exclusive, as a Windows RECT
    items_[i].rect = QRect(QPoint(left, top), QPoint(right - 1, top + menuBarHeight - 1));
    left = right + 20;
  }
}

int MenuBar::hitItem(const QPoint &point) const {
  int hit = -1;
  for (int i = 0; i < static_cast<int>(items_.size()); ++i)
    if (items_[i].rect.contains(point)) hit = i;
  return hit;
}

int MenuBar::markedItem(int state) const {
  int marked = -1;
  for (int i = 0; i < static_cast<int>(items_.size()); ++i)
    if (items_[i].state == state) marked = i;
  return marked;
}

MenuBarStep MenuBar::track(const QPoint &point, int kind) {
  MenuBarStep step;
  const int hit = hitItem(point);
  const int marked = markedItem(kind);
  if (hit < 0) {
    if (marked < 0) return step;
    if (items_[marked].state == Hot) {
      step.releaseCapture = true;
      captured_ = false;
    }
  }
  if (marked >= 0) {
    items_[marked].state = Normal;
    step.repaint.push_back(repaintArea(items_[marked].rect));
  }
  if (hit < 0) return step;
  if (kind == Hot && items_[hit].state != Hot) {
    step.capture = true;
    captured_ = true;
  }
  if (items_[hit].state == Pressed) return step;
  items_[hit].state = kind;
  step.repaint.push_back(repaintArea(items_[hit].rect));
  if (kind == Pressed) step.openPopup = hit;
  return step;
}

QRect MenuBar::popupClosed(int item) {
  items_[item].state = Normal;
  return repaintArea(items_[item].rect);
}

std::vector<QRect> MenuBar::pressByKey(int item) {
  std::vector<QRect> areas;
  for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
    const int wanted = i == item ? Pressed : Normal;
    if (items_[i].state == wanted) continue;
    items_[i].state = wanted;
    areas.push_back(repaintArea(items_[i].rect));
  }
  return areas;
}

int MenuBar::itemForLetter(QChar letter) const {
  for (int i = 0; i < static_cast<int>(items_.size()); ++i)
    if (!items_[i].caption.isEmpty() && items_[i].caption[0].toLower() == letter.toLower())
      return i;
  return -1;
}

int MenuBar::adjacentItem(int item, int step) {
  constexpr int count = 3;
  return ((item + step) % count + count) % count;
}

QString MenuBar::mnemonicCaption(const MenuBarItem &item) {
  return QStringLiteral("&") + item.caption;
}

int menuBarHeightFor(int fontHeight) { return fontHeight + 7; }

} // namespace linkmoor
