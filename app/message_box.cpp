#include "app/message_box.h"

#include "app/gui_call.h"

#include <QMessageBox>

namespace linkmoor {

namespace {

const QString kTitle = QStringLiteral("Message");

} // namespace

void showMessage(QWidget *owner, const QString &text) {
  guiCall([&] {
    QMessageBox box(QMessageBox::Information, kTitle, text, QMessageBox::Ok, owner);
    box.exec();
  });
}

bool askYesNo(QWidget *owner, const QString &text) {
  return guiResult([&] {
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
  });
}

} // namespace linkmoor
