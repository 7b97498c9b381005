#pragma once
// The geometry of the editor pane, as pure functions of the page's size.

#include <QColor>
#include <QRect>
#include <QSize>

#include <vector>

namespace linkmoor {

/// Where the pane's windows go, in the page's client coordinates.
struct EditorPaneGeometry {
  QRect fileLabel;  ///< the file label across the top
  QRect gutter;     ///< the line-number strip on the left
  QRect editor;     ///< the editing control beside it
  QRect saveButton; ///< the save button, centred below
  QRect frame;      ///< gutter and editor together; the double frame goes around it
};

/// Margins of the pane inside the page and the fixed sizes of its parts.
struct EditorPaneMetrics {
  static constexpr int kLeft = 10;
  static constexpr int kTop = 12;
  static constexpr int kRight = 10;
  static constexpr int kBottom = 8;
  static constexpr int kLabelHeight = 14;
  static constexpr int kEditorTop = 19; ///< below the top margin
  static constexpr int kButtonGap = 12; ///< between the editor and the button
  static constexpr int kGutterWidth = 50;
};

/// Lays the pane out in a page whose client area is `client`, with a save
/// button of size `button`. Sizes never come out negative on a tiny page.
EditorPaneGeometry editorPaneLayout(const QRect &client, const QSize &button);

/// One filled rectangle of the drawn frame.
struct FrameStroke {
  QRect rect;
  QColor colour;
};

/// The strokes of the sunken double frame around `frame`: a three-dimensional
/// rectangle (black top and left edges, white right and bottom edges) around
/// `frame` enlarged by 2 pixels on each side, then another enlarged by 3.
std::vector<FrameStroke> frameStrokes(const QRect &frame);

} // namespace linkmoor
