#include "app/window_stacking.h"

#include <QWidget>

namespace linkmoor {

namespace {

bool staysOnTop(const QWidget *window) {
  return window && (window->windowFlags() & Qt::WindowStaysOnTopHint);
}

} // namespace

bool ownerStaysOnTop(const QWidget *window) {
  for (const QWidget *owner = window ? window->parentWidget() : nullptr; owner;
       owner = owner->window()->parentWidget())
    if (staysOnTop(owner->window())) return true;
  return false;
}

void followOwnerStacking(QWidget *window) {
  if (!window || !window->isWindow()) return;
  const bool wanted = ownerStaysOnTop(window);
  if (staysOnTop(window) == wanted) return;
  // Changing a window flag re-creates the native window; keep its place and state.
  const bool wasVisible = window->isVisible();
  const QRect place = window->geometry();
  window->setWindowFlag(Qt::WindowStaysOnTopHint, wanted);
  if (wasVisible) {
    window->setGeometry(place);
    window->show();
  }
}

} // namespace linkmoor
