#pragma once
// The markup layout on Qt: measuring with the font system (a face that is not
// installed, such as "Arial" on Linux, is matched to the closest installed face, its
// metric-compatible twin where there is one) and drawing a layout's steps into
// pictures that are see-through wherever nothing was drawn.

#include "markup/markup_surface.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <functional>

namespace linkmoor {

/// The program's pictures by number; a null image when there is no such picture.
using MarkupPictureSource = std::function<QImage(int number)>;

/// The pictures compiled into the program (":/app/<number>.png", then
/// ":/markup/<number>.png").
QImage programPicture(int number);

/// The Qt font of a font state: pixel size, weight 700 when bold, the style flags.
QFont markupFont(const MarkupFontState &state);

/// Measures with Qt's font metrics and the given pictures.
class QtMarkupMeasure : public MarkupMeasure {
public:
  /// Measures pictures from `pictures`.
  explicit QtMarkupMeasure(MarkupPictureSource pictures) : pictures_(std::move(pictures)) {}
  MarkupSize textSize(const MarkupFontState &font, const std::string &text) override;
  std::optional<MarkupSize> pictureSize(int number) override;

private:
  MarkupPictureSource pictures_;
};

/// Draws `steps` into a see-through picture of `width` × `height`. Colours equal to
/// `key` count as none (see-through), as the key colour does in the window.
QImage renderMarkupSteps(const std::vector<MarkupDraw> &steps, int width, int height,
                         const QColor &key, const MarkupPictureSource &pictures);

} // namespace linkmoor
