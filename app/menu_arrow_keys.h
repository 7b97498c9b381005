#pragma once
// Left and Right in a popup of the drawn menu bar: the popup closes and the window opens
// the popup of the neighbouring item, as in a menu bar. Up, Down, Enter and Escape stay
// the popup's own.

#include <QObject>

class QMenu;

namespace linkmoor {

/// Watches one popup menu for Left and Right.
class MenuArrowKeys : public QObject {
  Q_OBJECT
public:
  /// Watches `menu`; the watcher must not outlive it.
  explicit MenuArrowKeys(QMenu *menu);

  /// -1 when Left closed the popup, +1 for Right, 0 when neither did.
  int step() const { return step_; }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  QMenu *menu_;
  int step_ = 0;
};

} // namespace linkmoor
