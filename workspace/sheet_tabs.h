#pragma once
// The tab control of a workspace sheet. It refuses to leave the shown page while its
// guard says no (a job runs), and keeps every page, also those never shown, at the
// size of the page area.

#include <QTabWidget>
#include <functional>

class QStackedWidget;

namespace linkmoor {

/// Tabs whose page changes a guard can refuse.
class SheetTabs : public QTabWidget {
  Q_OBJECT
public:
  /// Empty tabs; pages may be left until a guard is set.
  explicit SheetTabs(QWidget *parent = nullptr);

  /// Sets what decides whether the shown page may be left.
  void setLeaveGuard(std::function<bool()> mayLeave) { mayLeave_ = std::move(mayLeave); }
  /// True when the guard allows leaving the shown page (or there is no guard).
  bool mayLeave() const { return !mayLeave_ || mayLeave_(); }
  /// Shows page `index` unless the guard refuses; true when page `index` is shown after.
  bool showPage(int index);
  /// The area the pages take, in this widget's coordinates.
  QRect pageArea() const;

protected:
  void keyPressEvent(QKeyEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void sizePages();

  std::function<bool()> mayLeave_;
  QStackedWidget *stack_ = nullptr;
};

} // namespace linkmoor
