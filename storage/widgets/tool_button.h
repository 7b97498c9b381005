#pragma once
// A small push button that shows pictures (normal, pressed, disabled) instead of
// its caption, with a short hover text. Until it is painted for the first time it
// is a plain caption button; the first paint swaps in the pictures.

#include <QPixmap>
#include <QPushButton>
#include <QString>

namespace linkmoor {

/// One row of the picture table: the normal picture's number selects the hover text
/// and the numbers of the pressed and disabled pictures.
struct ToolPicture {
  int normal;
  const char *toolText;
  int pressed;
  int disabled;
};

/// The table row whose normal picture is `normal`, or nullptr when there is none.
const ToolPicture *findToolPicture(int normal);

/// Picture `number` for a screen of `deviceScale` (device pixels per pixel): above 1 the
/// one drawn at twice the resolution, with a device pixel ratio of 2, else the plain one.
/// Null when there is no such picture.
QPixmap loadToolPicture(int number, qreal deviceScale);

/// Picture button of the project dialogs ("X", "+", "S", "\ ...").
class ToolButton : public QPushButton {
  Q_OBJECT
public:
  /// Which of the pictures is meant.
  enum class Picture { Normal, Pressed, Disabled };

  /// A caption button that will show the pictures of `pictureNumber` once painted.
  ToolButton(int pictureNumber, const QString &caption, QWidget *parent = nullptr);

  /// The number of the normal picture given at construction.
  int pictureNumber() const { return pictureNumber_; }
  /// True once the first paint has loaded the pictures and the hover text.
  bool isSetUp() const { return setUp_; }
  /// The picture loaded for `which` (for the button's screen scale); null before set-up
  /// or when the table has none.
  QPixmap picture(Picture which) const;
  /// The picture the button shows in its present state (disabled, pressed or normal).
  Picture currentPicture() const;

protected:
  /// Paints as a caption button until set up, then the picture of the present state.
  void paintEvent(QPaintEvent *event) override;

private:
  void setUp();

  int pictureNumber_;
  bool setUp_ = false;
  QPixmap normal_;
  QPixmap pressed_;
  QPixmap disabled_;
};

} // namespace linkmoor
