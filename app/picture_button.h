#pragma once
// A button drawn as one of three pictures (normal, pressed, disabled) and sized to
// them: the "Stop" and "Skip" buttons of the progress strip. Pictures drawn for a
// scaled screen (a device pixel ratio above 1) keep their size at 100 %.

#include <QAbstractButton>
#include <QPixmap>

namespace linkmoor {

/// Bitmap push button.
class PictureButton : public QAbstractButton {
  Q_OBJECT
public:
  /// A button named `text` (for accessibility and tests) showing the three pictures.
  PictureButton(const QString &text, const QPixmap &normal, const QPixmap &pressed,
                const QPixmap &disabled, QWidget *parent = nullptr);

  /// The size of the normal picture at 100 % (its pixels divided by its device pixel
  /// ratio).
  QSize sizeHint() const override;

protected:
  /// Draws the picture of the present state.
  void paintEvent(QPaintEvent *event) override;

private:
  QPixmap normal_;
  QPixmap pressed_;
  QPixmap disabled_;
};

} // namespace linkmoor
