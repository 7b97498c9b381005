#pragma once
// The window that shows one help page, with Back, Forward and Contents.

#include <QWidget>

class QTextBrowser;
class QPushButton;

namespace linkmoor {

/// Help viewer: a toolbar row and an HTML view of the help folder's pages.
class HelpWindow : public QWidget {
  Q_OBJECT
public:
  /// An empty help window over `parent`'s window.
  explicit HelpWindow(QWidget *parent = nullptr);

  /// Shows the help page file `path` (absolute), or a note when it is missing.
  void showPage(const QString &path);
  /// The file shown, or empty when a note is shown.
  QString currentPage() const { return current_; }
  /// The HTML view.
  QTextBrowser *browser() const { return browser_; }

protected:
  /// Escape closes the window.
  void keyPressEvent(QKeyEvent *event) override;

private:
  QTextBrowser *browser_;
  QPushButton *back_;
  QPushButton *forward_;
  QString current_;
};

} // namespace linkmoor
