#include "markup/markup_line.h"

#include <algorithm>

namespace linkmoor {

void MarkupLine::place(MarkupLineItem item) {
  item.x = x_;
  x_ += item.size.width;
  height_ = std::max(height_, item.size.height);
  items_.push_back(std::move(item));
}

namespace {

MarkupDraw fill(const MarkupRect &rect, const MarkupColor &color) {
  MarkupDraw step;
  step.kind = MarkupDraw::Kind::Fill;
  step.rect = rect;
  step.color = color;
  return step;
}

void drawPicture(const MarkupLineItem &item, const MarkupRect &rect, const MarkupColor &frame,
                 std::vector<MarkupDraw> &steps) {
  if (frame) steps.push_back(fill(rect, frame));
  MarkupDraw step;
  step.kind = MarkupDraw::Kind::Picture;
  step.rect = {rect.x + item.border, rect.y + item.border, item.pictureSize.width,
               item.pictureSize.height};
  step.picture = item.picture;
  steps.push_back(step);
}

void drawText(const MarkupFontState &font, const MarkupSize &size, const std::string &text, int x,
              int y, std::vector<MarkupDraw> &steps) {
  MarkupDraw step;
  step.kind = MarkupDraw::Kind::Text;
  step.rect = {x, y, size.width, size.height};
  step.color = font.color;
  step.background = font.background;
  step.font = font;
  step.text = text;
  steps.push_back(step);
}

} // namespace

void MarkupLine::finish(int y, int align, MarkupLayout &layout) {
  const int lineWidth = x_;
  int left = 0;
  if (align == 1)
    left = layout.width / 2 - lineWidth / 2;
  else if (align == 2)
    left = layout.width - lineWidth;
  if (y < kMarkupHeightLimit) {
    for (const MarkupLineItem &item : items_) {
      int top = 0;
      if (item.valign == 1)
        top = height_ / 2 - item.size.height / 2;
      else if (item.valign == 2)
        top = height_ - item.size.height;
      const MarkupRect rect{left + item.x, y + top, item.size.width, item.size.height};
      const bool linked = !item.href.empty();
      if (item.isPicture) {
        drawPicture(item, rect, item.frame, layout.normal);
        if (linked) drawPicture(item, rect, item.hoverFrame, layout.hover);
      } else {
        drawText(item.font, item.textSize, item.text, rect.x, rect.y, layout.normal);
        if (linked)
          drawText(item.hoverFont, item.hoverTextSize, item.text, rect.x, rect.y, layout.hover);
      }
      if (linked) layout.links.push_back({rect, item.href});
    }
  }
  items_.clear();
  x_ = 0;
  height_ = 0;
}

} // namespace linkmoor
