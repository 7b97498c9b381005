#include "workspace/sheet_tabs.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QWheelEvent>

namespace linkmoor {

namespace {

// The tab bar asks the sheet's tabs before a click, a key or the wheel changes the page.
class GuardedTabBar : public QTabBar {
public:
  explicit GuardedTabBar(SheetTabs *tabs) : QTabBar(tabs), tabs_(tabs) {}

protected:
  void mousePressEvent(QMouseEvent *event) override {
    const int index = tabAt(event->position().toPoint());
    if (index >= 0 && index != currentIndex() && !tabs_->mayLeave()) {
      event->accept();
      return;
    }
    QTabBar::mousePressEvent(event);
  }
  void keyPressEvent(QKeyEvent *event) override {
    if (!tabs_->mayLeave()) {
      event->accept();
      return;
    }
    QTabBar::keyPressEvent(event);
  }
  void wheelEvent(QWheelEvent *event) override {
    if (!tabs_->mayLeave()) {
      event->accept();
      return;
    }
    QTabBar::wheelEvent(event);
  }

private:
  SheetTabs *tabs_;
};

} // namespace

SheetTabs::SheetTabs(QWidget *parent) : QTabWidget(parent) {
  setTabBar(new GuardedTabBar(this));
  stack_ = findChild<QStackedWidget *>(QString(), Qt::FindDirectChildrenOnly);
  if (stack_) stack_->installEventFilter(this);
}

bool SheetTabs::showPage(int index) {
  if (index != currentIndex() && !mayLeave()) return false;
  setCurrentIndex(index);
  return currentIndex() == index;
}

QRect SheetTabs::pageArea() const { return stack_ ? stack_->geometry() : QRect(); }

void SheetTabs::keyPressEvent(QKeyEvent *event) {
  // Ctrl+Tab and Ctrl+PageDown change pages from anywhere in the tabs.
  if ((event->modifiers() & Qt::ControlModifier) && !mayLeave()) {
    event->accept();
    return;
  }
  QTabWidget::keyPressEvent(event);
}

bool SheetTabs::eventFilter(QObject *watched, QEvent *event) {
  if (watched == stack_ && event->type() == QEvent::Resize) sizePages();
  return QTabWidget::eventFilter(watched, event);
}

void SheetTabs::sizePages() {
  if (!stack_) return;
  const QRect area(QPoint(0, 0), stack_->size());
  for (int i = 0; i < count(); ++i) {
    QWidget *page = widget(i);
    if (!page) continue;
    const QSize old = page->size();
    page->setGeometry(area);
    // A hidden page is told of its new size only when shown; jobs fill pages that are
    // not shown, so each lays itself out now.
    if (!page->isVisible() && old != area.size()) {
      QResizeEvent resized(area.size(), old);
      QCoreApplication::sendEvent(page, &resized);
    }
  }
}

} // namespace linkmoor
