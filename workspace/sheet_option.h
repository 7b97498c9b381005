#pragma once
// The options sheet "General options": one page, "Main", with the line ending of edited
// files. "Apply" stores the pages' choices and leaves the sheet open; "Close" closes it
// without storing. The caption's help button opens the help page of the options.

#include <QDialog>

class QPushButton;
class QTabWidget;

namespace linkmoor {

class SheetOptionPgMain;

/// The modal options sheet.
class SheetOption : public QDialog {
  Q_OBJECT
public:
  /// The sheet over `parent`, its page showing the current options.
  explicit SheetOption(QWidget *parent = nullptr);

  /// Stores the choices of every page; the sheet stays open.
  void applyPages();
  /// Shows the help page "options/options.htm" with the sheet as owner.
  void showHelp();

  /// The page, the tabs and the two buttons.
  SheetOptionPgMain *mainPage() const { return main_; }
  QTabWidget *tabs() const { return tabs_; }
  QPushButton *applyButton() const { return apply_; }
  QPushButton *closeButton() const { return close_; }

protected:
  /// The caption's help button and F1 show the help page.
  bool event(QEvent *event) override;
  /// The page's hidden first button takes the focus, as in the program's other dialogs.
  void showEvent(QShowEvent *event) override;

private:
  QTabWidget *tabs_;
  SheetOptionPgMain *main_;
  QPushButton *apply_;
  QPushButton *close_;
};

} // namespace linkmoor
