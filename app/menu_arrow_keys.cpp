#include "app/menu_arrow_keys.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace linkmoor {

MenuArrowKeys::MenuArrowKeys(QMenu *menu) : menu_(menu) { menu->installEventFilter(this); }

bool MenuArrowKeys::eventFilter(QObject *watched, QEvent *event) {
  if (watched != menu_ || event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent *>(event)->key();
  if (key != Qt::Key_Left && key != Qt::Key_Right) return false;
  // Right on an item with a submenu opens the submenu, as usual.
  QAction *active = menu_->activeAction();
  if (key == Qt::Key_Right && active && active->menu()) return false;
  step_ = key == Qt::Key_Left ? -1 : 1;
  // Closed once the key event is done with, so the popup never ends inside its own
  // event handling.
  QMetaObject::invokeMethod(menu_, &QMenu::close, Qt::QueuedConnection);
  return true;
}

} // namespace linkmoor
