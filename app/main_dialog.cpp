#include "app/main_dialog.h"

#include "app/app_resources.h"
#include "app/dialog_units.h"
#include "app/frame_drawing.h"
#include "app/general_options.h"
#include "app/help_pane.h"
#include "app/help_topic.h"
#include "app/help_window.h"
#include "app/job_thread.h"
#include "app/menu_arrow_keys.h"
#include "app/message_box.h"
#include "app/window_geometry.h"
#include "app/window_stacking.h"
#include "app/workspace_brush.h"
#include "app/workspace_sheet.h"
#include "storage/settings_file.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <utility>

namespace linkmoor {

namespace {

bool onSomeScreen(const QRect &rect) {
  for (QScreen *screen : QGuiApplication::screens())
    if (screen->availableGeometry().intersects(rect)) return true;
  return false;
}

} // namespace

MainDialog::MainDialog(JobThread &jobs, MainWindowServices services, QWidget *parent)
    : QWidget(parent), jobs_(jobs), services_(std::move(services)) {
  setObjectName(QStringLiteral("MainDialog"));
  setWindowTitle(QStringLiteral("Linkmoor"));
  setMouseTracking(true);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setBrush(QPalette::Window, workspaceBrush());
  setPalette(colours);
  menuBarHeight_ = menuBarHeightFor(QFontMetrics(QApplication::font()).height());
  resize(firstWindowSize());

  helpPane_ = new HelpPane(this);
  testButton_ = new QPushButton(QStringLiteral("Test"), this);

  // Initialisation, in order: the job runner's owner, the hidden "Test" button, the
  // icon, the settings, the start page, the layout.
  jobs_.setOwner(this);
  testButton_->hide();
  setWindowIcon(appIcon());
  loadSettings();
  helpPane_->navigate(HelpPane::startPage());
  layoutMenuBar();
  layoutChildren(true);
  addMenuKeys();
}

void MainDialog::addMenuKeys() {
  // Alt and the first letter open a popup, F10 the first; anywhere in the window.
  for (int i = 0; i < static_cast<int>(menuBar_.items().size()); ++i) {
    const QChar letter = menuBar_.item(i).caption.at(0).toUpper();
    auto *key = new QShortcut(QKeySequence(QStringLiteral("Alt+") + letter), this);
    connect(key, &QShortcut::activated, this, [this, i] { openPopupByKey(i); });
  }
  auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(f10, &QShortcut::activated, this, [this] { openPopupByKey(0); });
}

MainDialog::~MainDialog() { destroySheets(); }

QUrl MainDialog::homePage() { return QUrl(QStringLiteral("https://linkmoor.org/")); }

void MainDialog::showAsPlaced() {
  if (maximizeOnShow_)
    showMaximized();
  else
    show();
}

void MainDialog::loadSettings() {
  SettingsFile settings;
  if (!settings.openOrCreate()) {
    setAlwaysOnTop(alwaysOnTop_);
    return;
  }
  WindowPlacement placement;
  if (settings.readWindowPlacement(placement)) {
    const PlacedGeometry placed = geometryFromPlacement(placement);
    // A rectangle that no screen shows any more would leave the window out of reach.
    if (placed.valid && onSomeScreen(placed.normal)) {
      const QSize size = snapToMinimum(placed.normal.size());
      setGeometry(QRect(placed.normal.topLeft(), size));
    }
    maximizeOnShow_ = placed.maximized;
  }
  int onTop = 1;
  settings.readDialogFlags(onTop);
  int lineEnding = 0;
  settings.readGeneralOptions(lineEnding);
  generalOptions().lineEnding = lineEnding;
  setAlwaysOnTop(onTop != 0);
  settings.close();
}

void MainDialog::saveSettings() {
  SettingsFile settings;
  if (!settings.openExisting()) return;
  QRect normal = normalGeometry();
  if (!normal.isValid()) normal = geometry();
  settings.writeWindowPlacement(placementFromGeometry(normal, isMaximized(), isMinimized()));
  settings.writeDialogFlags(alwaysOnTop_ ? 1 : 0);
  settings.writeGeneralOptions(generalOptions().lineEnding);
  settings.close();
}

void MainDialog::setAlwaysOnTop(bool on) {
  alwaysOnTop_ = on;
  if (bool(windowFlags() & Qt::WindowStaysOnTopHint) == on) return;
  // Changing a window flag re-creates the native window; keep its place and state.
  const bool wasVisible = isVisible();
  const QRect place = geometry();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (wasVisible) {
    setGeometry(place);
    show();
  }
  // The open help window goes on staying above this one, or stops doing so.
  followOwnerStacking(currentHelpWindow());
}

void MainDialog::reassertTopmost() {
  // Bringing the window to the front again, as toggling the topmost state does.
  if (!isVisible()) return;
  raise();
  activateWindow();
}

QRect MainDialog::workArea() const {
  QRect area = rect();
  area.setTop(menuBarHeight_ + 2);
  return area;
}

void MainDialog::layoutChildren(bool moveHelpPane) {
  if (!helpPane_) return;
  const QRect area = workArea();
  for (WorkspaceSheet *sheet : {localSheet_.data(), remoteSheet_.data()}) {
    if (!sheet) continue;
    sheet->setGeometry(area);
    sheet->update();
  }
  if (moveHelpPane) {
    helpPane_->setGeometry(area.adjusted(12, 12, -12, -12));
    update();
  }
  jobs_.repositionPanel();
}

void MainDialog::layoutMenuBar() {
  const QFontMetrics metrics(QApplication::font());
  std::array<int, 3> widths{};
  for (int i = 0; i < 3; ++i)
    widths[i] = metrics.horizontalAdvance(menuBar_.item(i).caption);
  menuBar_.layout(widths, 0, 0, menuBarHeight_);
}

void MainDialog::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  layoutMenuBar();
  painter.setFont(QApplication::font());
  // The first letters are underlined as the style underlines those of its own menus.
  const int mnemonicFlag = style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this)
                               ? Qt::TextShowMnemonic
                               : Qt::TextHideMnemonic;
  for (const MenuBarItem &item : menuBar_.items()) {
    if (item.state == MenuBar::Hot) draw3dRect(painter, item.rect, Qt::white, Qt::black);
    if (item.state == MenuBar::Pressed) draw3dRect(painter, item.rect, Qt::black, Qt::white);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(item.rect, Qt::AlignCenter | Qt::TextSingleLine | mnemonicFlag,
                     MenuBar::mnemonicCaption(item));
  }
  if (helpPane_->isVisible()) {
    const QRect pane = helpPane_->geometry();
    draw3dRect(painter, pane.adjusted(-2, -2, 2, 2), Qt::black, Qt::white);
    draw3dRect(painter, pane.adjusted(-3, -3, 3, 3), Qt::black, Qt::white);
  }
}

void MainDialog::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  const QSize frame = frameGeometry().size() - size();
  const QSize outer = size() + frame;
  const QSize snapped = snapToMinimum(outer);
  if (snapped != outer && !isMaximized() && !isMinimized()) {
    resize(snapped - frame);
    return; // the resize comes back here and lays the children out
  }
  layoutChildren(true);
}

void MainDialog::moveEvent(QMoveEvent *event) {
  QWidget::moveEvent(event);
  layoutChildren(false);
}

void MainDialog::applyMenuStep(const MenuBarStep &step) {
  if (step.releaseCapture && captured_) {
    releaseMouse();
    captured_ = false;
  }
  if (step.capture && !captured_) {
    grabMouse();
    captured_ = true;
  }
  for (const QRect &area : step.repaint)
    repaint(area);
  if (step.openPopup >= 0) openPopup(step.openPopup);
}

void MainDialog::mouseMoveEvent(QMouseEvent *event) {
  QWidget::mouseMoveEvent(event);
  applyMenuStep(menuBar_.track(event->position().toPoint(), MenuBar::Hot));
}

void MainDialog::mousePressEvent(QMouseEvent *event) {
  QWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  applyMenuStep(menuBar_.track(event->position().toPoint(), MenuBar::Pressed));
}

void MainDialog::leaveEvent(QEvent *event) {
  QWidget::leaveEvent(event);
  // The pointer left the window: the same as a move to a point off every item.
  applyMenuStep(menuBar_.track(QPoint(-1, -1), MenuBar::Hot));
}

void MainDialog::openPopup(int item, bool byKey) {
  // The popup takes the pointer itself; hot tracking starts anew when it has closed.
  if (captured_) {
    releaseMouse();
    captured_ = false;
  }
  int command = 0;
  // Left and Right close a popup and open the neighbour's, as long as the user goes on.
  for (int next = item; next >= 0;) {
    const int current = next;
    next = -1;
    QMenu *menu = createPopup(menuBar_.item(current).popupId, this);
    if (!menu) return;
    updatePopup(menu, popupState());
    MenuArrowKeys arrows(menu);
    if (byKey) {
      for (const QRect &area : menuBar_.pressByKey(current))
        repaint(area);
      // Opened from the keyboard, the popup starts on its first command.
      for (QAction *action : menu->actions())
        if (action->isEnabled() && !action->isSeparator()) {
          menu->setActiveAction(action);
          break;
        }
    }
    popup_ = menu;
    const QRect r = menuBar_.item(current).rect;
    QAction *chosen = menu->exec(mapToGlobal(QPoint(r.left(), r.bottom() + 1)));
    command = commandOf(chosen);
    const int step = arrows.step();
    popup_ = nullptr;
    delete menu;
    repaint(menuBar_.popupClosed(current));
    if (!command && step != 0) {
      next = MenuBar::adjacentItem(current, step);
      byKey = true;
    }
  }
  if (command) runCommand(command);
}

void MainDialog::openPopupByKey(int item) {
  if (item >= 0 && !popup_) openPopup(item, true);
}

PopupState MainDialog::popupState() const {
  PopupState state;
  state.jobRunning = jobs_.isRunning();
  state.localSheet = localSheet_;
  state.remoteSheet = remoteSheet_;
  state.alwaysOnTop = alwaysOnTop_;
  return state;
}

void MainDialog::closeEvent(QCloseEvent *event) {
  if (jobs_.isRunning()) {
    event->ignore();
    showMessage(jobs_.messageOwner(), QStringLiteral("Thread is running, please wait ..."));
    return;
  }
  if (localSheet_ || remoteSheet_) {
    event->ignore();
    resetProject();
    return;
  }
  saveSettings();
  destroySheets();
  closeHelpWindow();
  jobs_.destroyPanelWindow();
  event->accept();
  emit closed();
}

} // namespace linkmoor
