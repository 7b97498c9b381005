#include "app/progress_panel.h"

#include "app/app_resources.h"
#include "app/dialog_units.h"
#include "app/frame_drawing.h"
#include "app/gui_call.h"
#include "app/picture_button.h"
#include "app/progress_layout.h"
#include "app/progress_pictures.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace linkmoor {

ProgressPanel::ProgressPanel(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setObjectName(QStringLiteral("ProgressPanel"));
  const DialogBaseUnits base = dialogBaseUnits();
  setFixedSize(panelSize());
  skip_ = new PictureButton(QStringLiteral("Skip"), progressPicture(160), progressPicture(185),
                            progressPicture(184), this);
  stop_ = new PictureButton(QStringLiteral("Stop"), progressPicture(181), progressPicture(180),
                            progressPicture(183), this);
  // The buttons keep their picture size; their places come from the template, in
  // dialog units, vertically centred in the strip.
  const int top = (height() - stop_->height()) / 2;
  skip_->move(dialogUnitsX(171, base), top);
  stop_->move(dialogUnitsX(199, base), top);
  if (stop_->geometry().right() > width() - 4) stop_->move(width() - 4 - stop_->width(), top);
  if (skip_->geometry().right() > stop_->x() - 4) skip_->move(stop_->x() - 4 - skip_->width(), top);
  connect(stop_, &QAbstractButton::clicked, this, &ProgressPanel::pressStop);
  connect(skip_, &QAbstractButton::clicked, this, &ProgressPanel::pressSkip);
  hide();
}

QSize ProgressPanel::panelSize() { return dialogUnitsToPixels(QSize(228, 25), dialogBaseUnits()); }

void ProgressPanel::prepareButtons(bool showStop, bool showSkip) {
  assertGuiThread("ProgressPanel::prepareButtons");
  stop_->setEnabled(true);
  stop_->setVisible(showStop);
  skip_->setEnabled(true);
  skip_->setVisible(showStop && showSkip);
}

void ProgressPanel::setLines(const QString &line1, const QString &line2) {
  assertGuiThread("ProgressPanel::setLines");
  line1_ = line1;
  line2_ = line2;
  if (isVisible()) repaint();
}

void ProgressPanel::setFlags(bool running, bool stopRequested, bool skipRequested) {
  assertGuiThread("ProgressPanel::setFlags");
  running_ = running;
  stopRequested_ = stopRequested;
  skipRequested_ = skipRequested;
}

void ProgressPanel::pressStop() {
  stopRequested_ = true;
  skipRequested_ = true;
  stop_->setEnabled(false);
  skip_->setEnabled(false);
}

void ProgressPanel::pressSkip() {
  skipRequested_ = true;
  skip_->setEnabled(false);
}

QRect ProgressPanel::textArea() const {
  const QRect skip = skip_->isVisibleTo(this) ? skip_->geometry() : QRect();
  const QRect stop = stop_->isVisibleTo(this) ? stop_->geometry() : QRect();
  return progressTextArea(rect(), skip, stop);
}

void ProgressPanel::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  // A raised edge sets the borderless strip off from the window below it.
  draw3dRect(painter, rect().adjusted(0, 0, -1, -1), Qt::white, QColor(64, 64, 64));
  QRect area = textArea();
  draw3dRect(painter, area.adjusted(-1, -1, 1, 1), Qt::white, Qt::black);
  draw3dRect(painter, area.adjusted(-2, -2, 2, 2), Qt::black, Qt::white);
  area.adjust(0, 3, 0, -3);
  painter.setFont(QApplication::font());
  const int flags = Qt::AlignCenter | Qt::TextSingleLine;
  if (line1_.isEmpty()) {
    painter.setPen(QColor(255, 0, 0));
    painter.drawText(area, flags, line2_);
    return;
  }
  QRect upper = area;
  upper.setHeight(area.height() / 2);
  QRect lower = area;
  lower.setTop(upper.bottom() + 1);
  painter.setPen(QColor(0, 0, 255));
  painter.drawText(upper, flags, line1_);
  painter.setPen(QColor(255, 0, 0));
  painter.drawText(lower, flags, line2_);
}

void ProgressPanel::attachTo(QWidget *window, QWidget *home) {
  assertGuiThread("ProgressPanel::attachTo");
  home_ = home;
  if (watched_) watched_->removeEventFilter(this);
  watched_ = nullptr;
  if (!window || window == home) {
    if (parentWidget() != home) setParent(home, windowFlags());
    return;
  }
  if (parentWidget() != window) setParent(window, windowFlags());
  watched_ = window;
  window->installEventFilter(this);
}

void ProgressPanel::returnHome() {
  assertGuiThread("ProgressPanel::returnHome");
  if (watched_) watched_->removeEventFilter(this);
  watched_ = nullptr;
  hide();
  if (parentWidget() != home_.data()) setParent(home_.data(), windowFlags());
}

bool ProgressPanel::eventFilter(QObject *watched, QEvent *event) {
  if (watched == watched_.data() && event->type() == QEvent::Hide) returnHome();
  return QWidget::eventFilter(watched, event);
}

void ProgressPanel::keyPressEvent(QKeyEvent *event) {
  switch (event->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
  case Qt::Key_Escape:
    event->accept();
    return;
  default:
    QWidget::keyPressEvent(event);
  }
}

} // namespace linkmoor
