#include "storage/widgets/editor_layout.h"

#include <algorithm>

namespace linkmoor {

namespace {

// A rectangle from its left, top, right and bottom edges, the right and bottom
// ones exclusive.
QRect fromEdges(int left, int top, int right, int bottom) {
  return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

// One three-dimensional rectangle over `r`: top and left edges in `topLeft`
// (stopping one pixel short of the far corner), right and bottom edges in
// `bottomRight` (the full length).
void addThreeD(std::vector<FrameStroke> &out, const QRect &r, const QColor &topLeft,
               const QColor &bottomRight) {
  const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
  out.push_back({QRect(x, y, w - 1, 1), topLeft});
  out.push_back({QRect(x, y, 1, h - 1), topLeft});
  out.push_back({QRect(x + w - 1, y, 1, h), bottomRight});
  out.push_back({QRect(x, y + h - 1, w, 1), bottomRight});
}

} // namespace

EditorPaneGeometry editorPaneLayout(const QRect &client, const QSize &button) {
  using M = EditorPaneMetrics;
  const int left = client.left() + M::kLeft;
  const int top = client.top() + M::kTop;
  const int right = client.left() + client.width() - M::kRight;
  const int bottom = client.top() + client.height() - M::kBottom;
  const int w = button.width(), h = button.height();
  const int editorTop = top + M::kEditorTop;
  const int editorBottom = std::max(editorTop, bottom - h - M::kButtonGap);

  EditorPaneGeometry g;
  g.fileLabel = fromEdges(left, top, right, top + M::kLabelHeight);
  g.gutter = fromEdges(left, editorTop, left + M::kGutterWidth, editorBottom);
  g.editor = fromEdges(left + M::kGutterWidth, editorTop, std::max(right, left + M::kGutterWidth),
                       editorBottom);
  g.saveButton = QRect(left + (right - left - w) / 2, bottom - h, w, h);
  g.frame = fromEdges(left, editorTop, std::max(right, left), editorBottom);
  return g;
}

std::vector<FrameStroke> frameStrokes(const QRect &frame) {
  std::vector<FrameStroke> strokes;
  addThreeD(strokes, frame.adjusted(-2, -2, 2, 2), Qt::black, Qt::white);
  addThreeD(strokes, frame.adjusted(-3, -3, 3, 3), Qt::black, Qt::white);
  return strokes;
}

} // namespace linkmoor
