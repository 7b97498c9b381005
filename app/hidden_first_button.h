#pragma once
// The first control of the program's dialogs: a small button at the top-left corner
// that draws nothing and does nothing. Being the first in the tab order it takes the
// keyboard focus when the dialog opens, so the focus starts on nothing useful.

#include <QPushButton>

namespace linkmoor {

/// Invisible focus holder ("Hide", 6 by 7 dialog units).
class HiddenFirstButton : public QPushButton {
  Q_OBJECT
public:
  /// Created first in `parent`, at its top-left corner.
  HiddenFirstButton(const QString &caption, QWidget *parent);

protected:
  /// Draws nothing.
  void paintEvent(QPaintEvent *event) override;
};

} // namespace linkmoor
