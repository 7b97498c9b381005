#include "app/main_dialog.h"

#include "app/app_resources.h"
#include "app/dialog_units.h"
#include "app/frame_drawing.h"
#include "app/general_options.h"
#include "app/help_pane.h"
#include "app/help_topic.h"
#include "app/job_thread.h"
#include "app/message_box.h"
#include "app/window_geometry.h"
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
  resize(dialogUnitsToPixels(QSize(392, 222), dialogBaseUnits()).expandedTo(kMainWindowMinimum));

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
  for (const MenuBarItem &item : menuBar_.items()) {
    if (item.state == MenuBar::Hot) draw3dRect(painter, item.rect, Qt::white, Qt::black);
    if (item.state == MenuBar::Pressed) draw3dRect(painter, item.rect, Qt::black, Qt::white);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(item.rect, Qt::AlignCenter | Qt::TextSingleLine, item.caption);
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

void MainDialog::openPopup(int item) {
  // The popup takes the pointer itself; hot tracking starts anew when it has closed.
  if (captured_) {
    releaseMouse();
    captured_ = false;
  }
  QMenu *menu = createPopup(menuBar_.item(item).popupId, this);
  if (!menu) return;
  updatePopup(menu, popupState());
  popup_ = menu;
  const QRect r = menuBar_.item(item).rect;
  QAction *chosen = menu->exec(mapToGlobal(QPoint(r.left(), r.bottom() + 1)));
  const int command = commandOf(chosen);
  popup_ = nullptr;
  delete menu;
  repaint(menuBar_.popupClosed(item));
  if (command) runCommand(command);
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
