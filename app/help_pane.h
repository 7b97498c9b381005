#pragma once
// The main window's idle pane: an HTML view of the start page, shown while no project
// is open. Links to the web open in the user's browser.

#include <QTextBrowser>
#include <QUrl>

class QToolButton;

namespace linkmoor {

/// Embedded HTML view of the main window.
class HelpPane : public QTextBrowser {
  Q_OBJECT
public:
  /// An empty pane.
  explicit HelpPane(QWidget *parent = nullptr);

  /// The start page shipped with the program ("start.htm" in the help folder).
  static QUrl startPage();
  /// Shows `url` (a local page; web addresses are handed to the browser).
  void navigate(const QUrl &url);
  /// The "Back" button in the pane's top right corner, shown while there is a page to go
  /// back to (Alt+Left does the same).
  QToolButton *backButton() const { return back_; }

protected:
  void resizeEvent(QResizeEvent *event) override;

private:
  void placeBackButton();

  QToolButton *back_;
};

} // namespace linkmoor
