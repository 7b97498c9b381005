#pragma once
// The header the info page draws over its list: the listed folder over the file
// column, then one cell over each pair of count columns ("Bytes / errs", "TAG / err",
// ...), framed like raised buttons, inside a sunken double frame around the list.

#include "workspace/workspace_geometry.h"

#include <QRect>
#include <QString>
#include <array>
#include <vector>

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

  /// The seven cells over a list at `list` whose 13 columns have `widths`: the band
  /// runs from 18 pixels above the list's top to 1 pixel above it; starting at the
  /// list's left edge each cell spans x + 1 to x + its width (one column, or two added).
  static std::vector<SummaryHeaderCell> cells(const QRect &list, const std::array<int, 13> &widths,
                                              const QString &folder,
                                              const QString &siteLinkCaption);
  /// The sunken double frame: the band and the list together, inflated by 1 and by 2.
  static std::vector<Stroke> frame(const QRect &list);
  /// Draws frame and cells in blue text in the application's font, restoring the
  /// painter's state afterwards.
  static void paint(QPainter &painter, const QRect &list, const std::array<int, 13> &widths,
                    const QString &folder, const QString &siteLinkCaption);
};

} // namespace linkmoor
