#pragma once
// The page "Main" of the options sheet: the line ending of edited files, Windows
// (CR LF) or Unix (LF), shown from and applied to the general options record.

#include <QWidget>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace linkmoor {

/// The options sheet's only page.
class SheetOptionPgMain : public QWidget {
  Q_OBJECT
public:
  /// Radio button ids of the page template.
  static constexpr int kWindowsId = 1073;
  static constexpr int kUnixId = 1074;

  /// The page, showing the line ending of `generalOptions()`.
  explicit SheetOptionPgMain(QWidget *parent = nullptr);

  /// Checks "Windows   <CR><LF>" for line ending 0, else "Unix   <LF>".
  void initialise();
  /// Stores the choice: 0 when "Windows   <CR><LF>" is checked, else 1.
  void apply();

  /// The hidden first button, which holds the focus when the sheet opens.
  QPushButton *focusHolder() const { return hide_; }
  /// The radio buttons.
  QRadioButton *windowsButton() const { return windows_; }
  QRadioButton *unixButton() const { return unix_; }

private:
  QPushButton *hide_;
  QGroupBox *group_;
  QRadioButton *windows_;
  QRadioButton *unix_;
};

} // namespace linkmoor
