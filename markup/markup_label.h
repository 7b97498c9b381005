#pragma once
// MarkupLabel: a child control that shows a text in the markup tag language, drawn
// off-screen and copied in one step. Content taller than the window scrolls up in an
// endless loop on a timer, can be dragged with the mouse, and its links change look
// under the mouse; a click on a link calls back into the program ("#number#argument")
// or opens the target with the desktop's default handler.

#include "markup/markup_canvas.h"
#include "markup/markup_scroller.h"

#include <QColor>
#include <QCursor>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>

namespace linkmoor {

/// Scrolling label of the markup tag language.
class MarkupLabel : public QWidget {
  Q_OBJECT
public:
  /// Paints the background: painter, client rectangle, background colour.
  using BackgroundPainter = std::function<void(QPainter &, const QRect &, const QColor &)>;
  /// A "#number#argument" link: the number, and the argument when there is a second "#".
  using Callback = std::function<void(int number, const std::optional<QString> &argument)>;
  /// Opens any other link target with the desktop's handler.
  using Opener = std::function<void(const QString &target)>;

  /// The id of the scroll timer.
  static constexpr int kScrollTimer = 100;

  /// A label in `parent` showing `normalCursor` (and `linkCursor` over links); its scroll
  /// timer starts with a first period of ten step intervals.
  explicit MarkupLabel(QWidget *parent, const QCursor &normalCursor = QCursor(Qt::ArrowCursor),
                       const QCursor &linkCursor = QCursor(Qt::PointingHandCursor));
  /// A label in `placeholder`'s parent taking `placeholder`'s rectangle (the placeholder is
  /// hidden).
  static MarkupLabel *createOver(QWidget *placeholder,
                                 const QCursor &normalCursor = QCursor(Qt::ArrowCursor),
                                 const QCursor &linkCursor = QCursor(Qt::PointingHandCursor));

  /// Stores the text, lays it out at once and returns the previous text.
  QString setText(const QString &text);
  /// The markup text.
  QString text() const { return text_; }
  /// Colour of the default background painter (the button face at first).
  void setBackgroundColor(const QColor &color);
  /// The see-through colour of the layout pictures (RGB 255,0,255 at first).
  void setKeyColor(const QColor &color);
  /// Replaces the background painter (an empty one restores filling with the colour).
  void setBackgroundPainter(BackgroundPainter painter);
  /// Sets the content row shown at the top (may be negative).
  void setScrollOffset(int offset) { scroller_.setOffset(offset); }
  /// The content row shown at the top.
  int scrollOffset() const { return scroller_.offset(); }
  /// Milliseconds between two scroll steps (40 at first).
  void setStepInterval(int milliseconds);
  /// Milliseconds between two scroll steps.
  int stepInterval() const { return stepInterval_; }
  /// Whether the content can be dragged (on at first).
  void setDragEnabled(bool enabled) { dragEnabled_ = enabled; }
  /// Sets the callback of "#" links.
  void setCallback(Callback callback) { callback_ = std::move(callback); }
  /// Sets what opens other link targets (tests: something that opens nothing).
  void setOpener(Opener opener) { opener_ = std::move(opener); }
  /// Sets where pictures come from and lays the text out again.
  void setPictureSource(MarkupPictureSource pictures);

  /// One scroll step (the timer's work): nothing while hidden; else advance, update the
  /// link under the mouse, repaint at once and set the timer to the step interval.
  void tick();
  /// Stops the scroll timer (the owner does so when it closes).
  void stopScrolling() { timer_.stop(); }
  /// The scroll timer.
  const QTimer &timer() const { return timer_; }
  /// The scrolling state (content height, offset, links, dragging).
  const MarkupScroller &scroller() const { return scroller_; }
  /// The content area of the link under the mouse, empty when none.
  MarkupRect hoveredLink() const { return hovered_; }
  /// The normal and hover pictures of the layout.
  const QImage &normalPicture() const { return normal_; }
  const QImage &hoverPicture() const { return hover_; }
  /// Draws the window's picture: background, content bands, hovered link.
  QImage paintedPicture() const;

protected:
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;
  void enterEvent(QEnterEvent *event) override;
  void leaveEvent(QEvent *event) override;

private:
  void relayout();
  void updateHover(const QPoint &point);
  void activate(const QString &target);

  QString text_;
  QColor background_;
  QColor key_{255, 0, 255};
  BackgroundPainter painter_;
  int stepInterval_ = 40;
  bool firstPeriod_ = true;
  bool dragEnabled_ = true;
  QCursor normalCursor_;
  QCursor linkCursor_;
  Callback callback_;
  Opener opener_;
  MarkupPictureSource pictures_ = programPicture;

  QImage normal_;
  QImage hover_;
  MarkupScroller scroller_;
  MarkupRect hovered_;
  bool mouseInside_ = false;
  QPoint mouse_;
  QTimer timer_;
};

} // namespace linkmoor
