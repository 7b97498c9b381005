#include "markup/markup_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace linkmoor {

QImage programPicture(int number) {
  for (const char *folder : {"app", "markup"}) {
    QImage picture(QStringLiteral(":/%1/%2.png").arg(QLatin1String(folder)).arg(number));
    if (!picture.isNull()) return picture;
  }
  return {};
}

QFont markupFont(const MarkupFontState &state) {
  QFont font(QString::fromStdString(state.face));
  font.setPixelSize(std::max(1, state.size));
  font.setWeight(state.bold ? QFont::Bold : QFont::Normal);
  font.setItalic(state.italic);
  font.setUnderline(state.underline);
  font.setStrikeOut(state.strikeout);
  return font;
}

MarkupSize QtMarkupMeasure::textSize(const MarkupFontState &font, const std::string &text) {
  const QFontMetrics metrics(markupFont(font));
  return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

std::optional<MarkupSize> QtMarkupMeasure::pictureSize(int number) {
  const QImage picture = pictures_ ? pictures_(number) : QImage();
  if (picture.isNull()) return std::nullopt;
  return MarkupSize{picture.width(), picture.height()};
}

namespace {

// The colour to draw, or none when the step's colour is none or the key colour.
std::optional<QColor> drawn(const MarkupColor &color, const QColor &key) {
  if (!color) return std::nullopt;
  const QColor qt(color->r, color->g, color->b);
  if (qt.rgb() == key.rgb()) return std::nullopt;
  return qt;
}

QRect toQt(const MarkupRect &rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

} // namespace

QImage renderMarkupSteps(const std::vector<MarkupDraw> &steps, int width, int height,
                         const QColor &key, const MarkupPictureSource &pictures) {
  QImage image(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  for (const MarkupDraw &step : steps) {
    switch (step.kind) {
    case MarkupDraw::Kind::Fill:
      if (auto color = drawn(step.color, key)) painter.fillRect(toQt(step.rect), *color);
      break;
    case MarkupDraw::Kind::Text: {
      if (auto background = drawn(step.background, key))
        painter.fillRect(toQt(step.rect), *background);
      auto color = drawn(step.color, key);
      if (!color) break;
      const QFont font = markupFont(step.font);
      painter.setFont(font);
      painter.setPen(*color);
      painter.drawText(QPoint(step.rect.x, step.rect.y + QFontMetrics(font).ascent()),
                       QString::fromStdString(step.text));
      break;
    }
    case MarkupDraw::Kind::Picture: {
      const QImage picture = pictures ? pictures(step.picture) : QImage();
      if (!picture.isNull()) painter.drawImage(step.rect.x, step.rect.y, picture);
      break;
    }
    }
  }
  return image;
}

} // namespace linkmoor
