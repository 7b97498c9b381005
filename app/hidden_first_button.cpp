#include "app/hidden_first_button.h"

#include "app/dialog_units.h"

namespace linkmoor {

HiddenFirstButton::HiddenFirstButton(const QString &caption, QWidget *parent)
    : QPushButton(caption, parent) {
  setObjectName(QStringLiteral("HiddenFirstButton"));
  setAutoDefault(false);
  setFocusPolicy(Qt::StrongFocus);
  setFlat(true);
  const DialogBaseUnits base = dialogBaseUnits();
  setGeometry(0, 0, dialogUnitsX(6, base), dialogUnitsY(7, base));
}

void HiddenFirstButton::paintEvent(QPaintEvent *) {}

} // namespace linkmoor
