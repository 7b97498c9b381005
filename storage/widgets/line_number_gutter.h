#pragma once
// The strip of line numbers beside the editor. It knows nothing of the text:
// the pane tells it the editor's first visible line and where the visible lines
// stand, and it paints one number for every whole line that fits its height.

#include <QWidget>

#include <vector>

namespace linkmoor {

/// One painted number and the top of its line, in the strip's coordinates.
struct GutterRow {
  int number;
  int y;
  bool operator==(const GutterRow &) const = default;
};

/// The numbers a strip `height` pixels high paints: height / `lineHeight`
/// numbers (none when the line height is not positive), counting from
/// `firstLine` + 1. Row i stands at `lineTops[i]` when the editor reported it
/// (the visible lines), else one line height below the row before it; without
/// any reported top the first row stands at y = 1.
std::vector<GutterRow> gutterRows(int firstLine, int lineHeight, int height,
                                  const std::vector<int> &lineTops);

/// The line-number strip, painted by itself.
class LineNumberGutter : public QWidget {
  Q_OBJECT
public:
  /// A strip with no first line yet (-1) and no line height.
  explicit LineNumberGutter(QWidget *parent = nullptr);

  /// Stores the pixels per line; does not redraw.
  void setLineHeight(int lineHeight) { lineHeight_ = lineHeight; }
  /// The pixels per line.
  int lineHeight() const { return lineHeight_; }

  /// Stores the index (from 0) of the editor's first visible line and redraws
  /// at once when it differs from the stored one; otherwise does nothing.
  void setFirstLine(int firstLine);
  /// Like setFirstLine, and also takes the tops of the visible lines (in this
  /// strip's coordinates); redraws at once only when either changed.
  void setView(int firstLine, std::vector<int> lineTops);
  /// The index of the editor's first visible line; -1 until one was set.
  int firstLine() const { return firstLine_; }
  /// The tops of the visible lines last reported.
  const std::vector<int> &lineTops() const { return lineTops_; }

  /// The numbers the strip paints at its present height.
  std::vector<GutterRow> rows() const;
  /// How many times the strip has painted itself.
  int paintCount() const { return paintCount_; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  void redrawNow();

  int firstLine_ = -1;
  int lineHeight_ = 0;
  std::vector<int> lineTops_;
  int paintCount_ = 0;
};

} // namespace linkmoor
