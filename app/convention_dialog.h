#pragma once
// Base of the program's dialogs: Enter never ends the dialog (no button is a default
// button and the OK command does nothing); Escape and the close box cancel it.

#include <QDialog>

namespace linkmoor {

/// QDialog following the program's dialog conventions.
class ConventionDialog : public QDialog {
  Q_OBJECT
public:
  /// A dialog over `parent`.
  explicit ConventionDialog(QWidget *parent = nullptr);

protected:
  /// Enter and Return do nothing; other keys as QDialog handles them.
  void keyPressEvent(QKeyEvent *event) override;
  /// Takes the default-button role from every push button before the dialog shows.
  void showEvent(QShowEvent *event) override;
};

} // namespace linkmoor
