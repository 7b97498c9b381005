#pragma once
// The header the info page draws over its list: the listed folder over the file
// column, then one cell over each pair of count columns ("Bytes / errs", "TAG / err",
// ...), framed like raised buttons, inside a sunken double frame around the list.

#include "workspace/workspace_geometry.h"

#include <QRect>
#include <QString>
#include <array>
#include <vector>

class QFontMetrics;
class QPainter;

namespace linkmoor {

/// One drawn cell of the header.
struct SummaryHeaderCell {
  QRect rect;   ///< where the text is centred and the raised frame drawn
  QString text; ///< the folder, or "first / second"
};

/// The drawn header of the summary list.
class SummaryHeader {
public:
  /// Height of the band of cells above the list.
  static constexpr int kBand = 18;

  /// Pixels a cell adds around its text: its raised frame and some air on each side.
  static constexpr int kCellPadding = 8;

  /// The texts of the seven cells, in column order.
  static std::array<QString, 7> texts(const QString &folder, const QString &siteLinkCaption);
  /// The smallest width of each of the 13 columns that lets every cell show its whole
  /// text in `metrics`: a cell over two columns spreads its need over both in their
  /// proportions.
  static std::array<int, 13> minimumWidths(const QFontMetrics &metrics, const QString &folder,
                                           const QString &siteLinkCaption);

  /// The seven cells over a list at `list` whose 13 columns have `widths` and which is
  /// scrolled `scrolled` pixels sideways: the band runs from 18 pixels above the list's
  /// top to 1 pixel above it; starting at the list's left edge less `scrolled`, each
  /// cell spans x + 1 to x + its width (one column, or two added), so the cells stay over
  /// their columns as the list scrolls.
  static std::vector<SummaryHeaderCell> cells(const QRect &list, const std::array<int, 13> &widths,
                                              const QString &folder, const QString &siteLinkCaption,
                                              int scrolled = 0);
  /// The sunken double frame: the band and the list together, inflated by 1 and by 2.
  static std::vector<Stroke> frame(const QRect &list);
  /// Draws frame and cells in blue text in the application's font, the cells clipped to
  /// the band over the list, restoring the painter's state afterwards.
  static void paint(QPainter &painter, const QRect &list, const std::array<int, 13> &widths,
                    const QString &folder, const QString &siteLinkCaption, int scrolled = 0);
};

} // namespace linkmoor
