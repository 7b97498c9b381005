#include "markup/markup_label.h"

#include "markup/markup_layout.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace linkmoor {

namespace {

void fillBackground(QPainter &painter, const QRect &rect, const QColor &color) {
  painter.fillRect(rect, color);
}

void openWithDesktop(const QString &target) {
  QDesktopServices::openUrl(QUrl::fromUserInput(target));
}

QRect toQt(const MarkupRect &rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

} // namespace

MarkupLabel::MarkupLabel(QWidget *parent, const QCursor &normalCursor, const QCursor &linkCursor)
    : QWidget(parent), painter_(fillBackground), normalCursor_(normalCursor),
      linkCursor_(linkCursor), opener_(openWithDesktop) {
  setObjectName(QStringLiteral("MarkupLabel"));
  background_ = palette().color(QPalette::Button);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setCursor(normalCursor_);
  connect(&timer_, &QTimer::timeout, this, &MarkupLabel::tick);
  timer_.start(10 * stepInterval_);
}

MarkupLabel *MarkupLabel::createOver(QWidget *placeholder, const QCursor &normalCursor,
                                     const QCursor &linkCursor) {
  auto *label = new MarkupLabel(placeholder->parentWidget(), normalCursor, linkCursor);
  label->setGeometry(placeholder->geometry());
  placeholder->hide();
  return label;
}

QString MarkupLabel::setText(const QString &text) {
  QString previous = text_;
  text_ = text;
  relayout();
  return previous;
}

void MarkupLabel::setBackgroundColor(const QColor &color) {
  background_ = color;
  update();
}

void MarkupLabel::setKeyColor(const QColor &color) {
  key_ = color;
  relayout();
}

void MarkupLabel::setBackgroundPainter(BackgroundPainter painter) {
  painter_ = painter ? std::move(painter) : BackgroundPainter(fillBackground);
  update();
}

void MarkupLabel::setStepInterval(int milliseconds) {
  stepInterval_ = std::max(1, milliseconds);
  // Before the first step the timer still runs its first period: ten of the new steps.
  if (firstPeriod_ && timer_.isActive()) timer_.start(10 * stepInterval_);
}

void MarkupLabel::setPictureSource(MarkupPictureSource pictures) {
  pictures_ = std::move(pictures);
  relayout();
}

void MarkupLabel::relayout() {
  MarkupLayoutSettings settings;
  settings.width = width();
  const QColor shadow = palette().color(QPalette::Dark);
  settings.ruleColor = {shadow.red(), shadow.green(), shadow.blue()};
  QtMarkupMeasure measure(pictures_);
  const MarkupLayout layout = layoutMarkup(text_.toStdString(), settings, measure);
  normal_ = renderMarkupSteps(layout.normal, width(), layout.contentHeight, key_, pictures_);
  hover_ = renderMarkupSteps(layout.hover, width(), layout.contentHeight, key_, pictures_);
  scroller_.setContent(layout.contentHeight, layout.links);
  scroller_.setWindowHeight(height());
  hovered_ = {};
  update();
}

void MarkupLabel::tick() {
  if (!isVisible()) return;
  scroller_.step();
  if (mouseInside_) updateHover(mouse_);
  repaint();
  firstPeriod_ = false;
  timer_.start(stepInterval_);
}

void MarkupLabel::updateHover(const QPoint &point) {
  const int link = scroller_.linkAt(point.x(), point.y());
  setCursor(link >= 0 ? linkCursor_ : normalCursor_);
  hovered_ = link >= 0 ? scroller_.links()[link].area : MarkupRect{};
}

QImage MarkupLabel::paintedPicture() const {
  QImage picture(size(), QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&picture);
  painter_(painter, rect(), background_);
  for (const MarkupBand &band : scroller_.bands()) {
    const QRect target(0, band.target, width(), band.rows);
    const QRect source(0, band.source, width(), band.rows);
    // The hovered link's part of this band comes from the hover picture instead.
    QRect hoverSource;
    if (!hovered_.empty()) hoverSource = toQt(hovered_).intersected(source);
    const QPoint shift(0, band.target - band.source);
    if (hoverSource.isEmpty()) {
      painter.drawImage(target, normal_, source);
      continue;
    }
    painter.setClipRegion(QRegion(target).subtracted(hoverSource.translated(shift)));
    painter.drawImage(target, normal_, source);
    painter.setClipping(false);
    painter.drawImage(hoverSource.translated(shift), hover_, hoverSource);
  }
  return picture;
}

void MarkupLabel::paintEvent(QPaintEvent *) {
  const QImage picture = paintedPicture();
  QPainter painter(this);
  painter.drawImage(0, 0, picture);
}

void MarkupLabel::resizeEvent(QResizeEvent *event) {
  QWidget::resizeEvent(event);
  relayout();
}

void MarkupLabel::mouseMoveEvent(QMouseEvent *event) {
  const QPoint point = event->position().toPoint();
  mouse_ = point;
  if (scroller_.dragging()) {
    scroller_.dragTo(point.y());
    update();
    return;
  }
  if (!rect().contains(point)) return;
  mouseInside_ = true;
  const MarkupRect before = hovered_;
  updateHover(point);
  if (!(before == hovered_)) update();
}

void MarkupLabel::mousePressEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const QPoint point = event->position().toPoint();
  const int link = scroller_.linkAt(point.x(), point.y());
  if (link >= 0) {
    hovered_ = {};
    update();
    activate(QString::fromStdString(scroller_.links()[link].target));
    return;
  }
  if (dragEnabled_ && scroller_.startDrag(point.y())) {
    timer_.stop();
    update();
  }
}

void MarkupLabel::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton || !scroller_.dragging())
    return QWidget::mouseReleaseEvent(event);
  scroller_.endDrag();
  tick();
  // A hidden label does not step, but its timer must run again all the same.
  if (!timer_.isActive()) timer_.start(stepInterval_);
}

void MarkupLabel::enterEvent(QEnterEvent *event) {
  mouseInside_ = true;
  mouse_ = event->position().toPoint();
  QWidget::enterEvent(event);
}

void MarkupLabel::leaveEvent(QEvent *event) {
  mouseInside_ = false;
  if (!hovered_.empty()) {
    hovered_ = {};
    update();
  }
  QWidget::leaveEvent(event);
}

void MarkupLabel::activate(const QString &target) {
  if (target.startsWith(QLatin1Char('#'))) {
    const QString rest = target.mid(1);
    const qsizetype second = rest.indexOf(QLatin1Char('#'));
    const int number = parseMarkupNumber(rest.left(second).toStdString());
    std::optional<QString> argument;
    if (second >= 0) argument = rest.mid(second + 1);
    if (callback_) callback_(number, argument);
    return;
  }
  if (opener_) opener_(target);
}

} // namespace linkmoor
