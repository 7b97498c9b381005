#include "app/convention_dialog.h"

#include <QKeyEvent>
#include <QPushButton>

namespace linkmoor {

ConventionDialog::ConventionDialog(QWidget *parent) : QDialog(parent) {}

void ConventionDialog::keyPressEvent(QKeyEvent *event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ConventionDialog::showEvent(QShowEvent *event) {
  for (QPushButton *button : findChildren<QPushButton *>()) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  QDialog::showEvent(event);
}

} // namespace linkmoor
