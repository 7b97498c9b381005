#pragma once
// The main window's drawn menu bar as a model: three items, their rectangles, their
// states (normal, hot, pressed) and the steps of the mouse tracking. The window paints
// the items and carries out the steps (repaints, capture, opening the popup).

#include <QRect>
#include <QString>
#include <array>
#include <vector>

namespace linkmoor {

/// One entry of the menu bar.
struct MenuBarItem {
  QString caption;
  int popupId = 0; ///< resource id of its popup menu (151, 152, 153)
  QRect rect;      ///< in client coordinates, recomputed at every paint
  int state = 0;   ///< MenuBar::Normal, Hot or Pressed
};

/// What one mouse event asks the window to do.
struct MenuBarStep {
  bool releaseCapture = false;
  bool capture = false;
  std::vector<QRect> repaint; ///< rectangles to repaint at once
  int openPopup = -1;         ///< item whose popup to open now, or -1
};

/// "Analyze", "Options", "Help".
class MenuBar {
public:
  static constexpr int Normal = 0;
  static constexpr int Hot = 1;
  static constexpr int Pressed = 2;

  MenuBar();

  /// The items, in order.
  const std::array<MenuBarItem, 3> &items() const { return items_; }
  /// Item `i`.
  const MenuBarItem &item(int i) const { return items_[i]; }

  /// Lays the items out in a band from `clientTop` + 2 to that + `menuBarHeight`: the first
  /// starts at `clientLeft` + 8, each is its caption width + 8 wide, and the next starts 20
  /// pixels right of the previous one's right edge.
  void layout(const std::array<int, 3> &captionWidths, int clientLeft, int clientTop,
              int menuBarHeight);

  /// The item whose rectangle contains `point` (the last match), or -1.
  int hitItem(const QPoint &point) const;
  /// The item whose state equals `state` (the last match), or -1.
  int markedItem(int state) const;

  /// Tracks the pointer at `point` for a mouse move (`kind` Hot) or a left button press
  /// (`kind` Pressed) and updates the states; returns what the window must do.
  MenuBarStep track(const QPoint &point, int kind);
  /// The popup of `item` has closed: the item returns to normal. Returns the area to repaint.
  QRect popupClosed(int item);
  /// The keyboard opens the popup of `item`: it shows pressed, every other item normal.
  /// Returns the areas to repaint.
  std::vector<QRect> pressByKey(int item);

  /// The item whose caption's first letter is `letter` (any case): 0 for A, 1 for O, 2 for
  /// H; -1 for any other letter.
  int itemForLetter(QChar letter) const;
  /// The item `step` places (+1 right, -1 left) from `item`, wrapping around the bar.
  static int adjacentItem(int item, int step);
  /// The caption with its first letter marked as the mnemonic ("&Analyze").
  static QString mnemonicCaption(const MenuBarItem &item);

  /// The mouse is captured for the window (hot tracking).
  bool captured() const { return captured_; }

private:
  std::array<MenuBarItem, 3> items_;
  bool captured_ = false;
};

/// The height of the menu band for a font of `fontHeight` pixels: the text line and the
/// room a menu bar gives it above and below.
int menuBarHeightFor(int fontHeight);

} // namespace linkmoor
