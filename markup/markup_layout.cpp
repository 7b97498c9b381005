#include "markup/markup_layout.h"

#include <algorithm>

namespace linkmoor {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The attribute name of a token read up to "=": its last word, so that a bare word
// before it (which the language gives no meaning) is ignored.
std::string attributeName(std::string token) {
  token.pop_back();
  token = markupLower(markupTrim(token));
  const auto blank = token.find_last_of(" \t\r\n");
  return blank == std::string::npos ? token : token.substr(blank + 1);
}

int alignValue(const std::string &value, int current) {
  const std::string v = markupLower(markupTrim(value));
  if (v == "left") return 0;
  if (v == "center") return 1;
  if (v == "right") return 2;
  return current;
}

int valignValue(const std::string &value, int current) {
  const std::string v = markupLower(markupTrim(value));
  if (v == "top") return 0;
  if (v == "middle") return 1;
  if (v == "bottom") return 2;
  return current;
}

bool validSize(int size) { return size >= 1 && size <= 1999; }

} // namespace

MarkupLayout layoutMarkup(const std::string &text, const MarkupLayoutSettings &settings,
                          MarkupMeasure &measure) {
  return MarkupLayouter(settings, measure).run(text);
}

MarkupLayouter::MarkupLayouter(const MarkupLayoutSettings &settings, MarkupMeasure &measure)
    : settings_(settings), measure_(measure) {
  layout_.width = settings.width;
}

MarkupLayout MarkupLayouter::run(const std::string &text) {
  for (char c : text + '\n')
    inTag_ ? inside(c) : outside(c);
  layout_.contentHeight = std::clamp(y_, 0, kMarkupHeightLimit);
  return std::move(layout_);
}

void MarkupLayouter::outside(char c) {
  if (c == '<') {
    placeText();
    tagName_.clear();
    token_.clear();
    inTag_ = true;
    inValue_ = false;
    attributeCount_ = 0;
  } else if (c == '\n') {
    placeText();
    endLine();
  } else if (c != '\r') {
    token_ += c;
  }
}

void MarkupLayouter::inside(char c) {
  if (c == '>') {
    if (tagName_.empty()) nameTag();
    endTag();
    return;
  }
  if (inValue_) {
    if (c == quote_) {
      applyAttribute(attributeName_, token_);
      token_.clear();
      inValue_ = false;
    } else if (c != '"' && c != '\'') {
      token_ += c;
    }
    return;
  }
  if (c == '"' || c == '\'') {
    if (!token_.empty() && token_.back() == '=') {
      attributeName_ = attributeName(token_);
      token_.clear();
      inValue_ = true;
      quote_ = c;
    }
    return;
  }
  if (isBlank(c) && !token_.empty() && tagName_.empty()) {
    nameTag();
    return;
  }
  token_ += c;
}

void MarkupLayouter::nameTag() {
  tagName_ = markupLower(markupTrim(token_));
  token_.clear();
  startTag();
}

void MarkupLayouter::startTag() {
  if (tagName_ == "font") {
    pendingFont_ = font();
    pendingBlock_ = block();
  } else if (tagName_ == "hr") {
    ruleColor_ = settings_.ruleColor;
    ruleThickness_ = 2;
    ruleWidth_ = settings_.width - 10;
    ruleAlign_ = 1;
  } else if (tagName_ == "a") {
    hover_ = MarkupHoverState{};
  } else if (tagName_ == "img") {
    border_ = 2;
    frame_.reset();
    pictureSource_.clear();
  }
}

void MarkupLayouter::applyAttribute(const std::string &name, const std::string &value) {
  ++attributeCount_;
  if (tagName_ == "font") {
    applyFontAttribute(name, value, pendingFont_, pendingBlock_);
  } else if (tagName_ == "a") {
    applyLinkAttribute(name, value);
  } else if (tagName_ == "img") {
    if (name == "src" && !value.empty()) pictureSource_ = value;
    if (name == "color") parseMarkupColor(value, frame_);
    if (name == "border" && !value.empty()) border_ = std::max(0, parseMarkupNumber(value));
  } else if (tagName_ == "hr") {
    if (name == "color") parseMarkupColor(value, ruleColor_);
    if (name == "width") ruleWidth_ = parseMarkupNumber(value);
    if (name == "size") ruleThickness_ = parseMarkupNumber(value);
    if (name == "align") {
      const std::string v = markupLower(markupTrim(value));
      ruleAlign_ = v == "left" ? 0 : v == "right" ? 2 : 1;
    }
  } else if (tagName_ == "vspace" && name == "size") {
    if (line_.holdsAnything()) endLine();
    y_ = std::max(0, y_ + parseMarkupNumber(value));
  } else if (tagName_ == "hspace" && name == "size") {
    line_.skip(parseMarkupNumber(value));
  }
}

void MarkupLayouter::applyFontAttribute(const std::string &name, const std::string &value,
                                        MarkupFontState &font, MarkupBlock &block) {
  if (name == "size") {
    const int size = parseMarkupNumber(value);
    if (validSize(size)) font.size = size;
  } else if (name == "face") {
    font.face = value.substr(0, kMarkupFaceMax);
  } else if (name == "style") {
    std::optional<bool> flags[4] = {font.bold, font.italic, font.underline, font.strikeout};
    applyMarkupStyle(value, flags);
    font.bold = *flags[0];
    font.italic = *flags[1];
    font.underline = *flags[2];
    font.strikeout = *flags[3];
  } else if (name == "color") {
    parseMarkupColor(value, font.color);
  } else if (name == "background") {
    parseMarkupColor(value, font.background);
  } else if (name == "align") {
    block.align = alignValue(value, block.align);
  } else if (name == "valign") {
    block.valign = valignValue(value, block.valign);
  }
}

void MarkupLayouter::applyLinkAttribute(const std::string &name, const std::string &value) {
  if (name == "href") {
    href_ = value;
  } else if (name == "size") {
    const int size = parseMarkupNumber(value);
    if (validSize(size)) hover_.size = size;
  } else if (name == "face") {
    hover_.face = value.substr(0, kMarkupFaceMax);
  } else if (name == "style") {
    std::optional<bool> flags[4] = {hover_.bold, hover_.italic, hover_.underline, hover_.strikeout};
    applyMarkupStyle(value, flags);
    hover_.bold = flags[0];
    hover_.italic = flags[1];
    hover_.underline = flags[2];
    hover_.strikeout = flags[3];
  } else if (name == "color" || name == "background") {
    MarkupColor color;
    if (parseMarkupColor(value, color) == ColorValue::Set)
      (name == "color" ? hover_.color : hover_.background) = color;
  }
}

void MarkupLayouter::endTag() {
  if (tagName_ == "font") {
    if (attributeCount_ > 0) {
      fonts_.push_back(pendingFont_);
      blocks_.push_back(pendingBlock_);
    }
  } else if (tagName_ == "/font") {
    if (fonts_.size() > 1) fonts_.pop_back();
    if (blocks_.size() > 1) blocks_.pop_back();
  } else if (tagName_ == "hr") {
    if (attributeCount_ == 0) {
      ruleColor_ = settings_.ruleColor;
      ruleThickness_ = 2;
      ruleWidth_ = settings_.width - 100;
      ruleAlign_ = 1;
    }
    drawRule();
  } else if (tagName_ == "/a") {
    href_.clear();
  } else if (tagName_ == "img") {
    placePicture();
  }
  const std::string name = tagName_;
  token_.clear();
  inTag_ = false;
  inValue_ = false;
  tagName_.clear();
  if (name == "br") outside('\n');
  if (name == "p") {
    outside('\n');
    outside('\n');
  }
}

void MarkupLayouter::placeText() {
  if (token_.empty()) return;
  MarkupLineItem item;
  item.text = token_;
  item.font = font();
  item.textSize = measure_.textSize(item.font, item.text);
  item.size = item.textSize;
  item.valign = block().valign;
  item.href = href_;
  if (!href_.empty()) {
    item.hoverFont = hover_.over(item.font);
    item.hoverTextSize = measure_.textSize(item.hoverFont, item.text);
    if (item.hoverTextSize.width > item.size.width) item.size = item.hoverTextSize;
  }
  token_.clear();
  line_.place(std::move(item));
}

void MarkupLayouter::placePicture() {
  const std::string source = pictureSource_;
  const int border = border_;
  const MarkupColor frame = frame_;
  pictureSource_.clear();
  border_ = 0;
  frame_.reset();
  if (source.size() < 2 || source[0] != '#') return;
  const int number = parseMarkupNumber(source.substr(1));
  const std::optional<MarkupSize> size = measure_.pictureSize(number);
  if (!size) return;
  MarkupLineItem item;
  item.isPicture = true;
  item.picture = number;
  item.pictureSize = *size;
  item.border = border;
  item.size = {size->width + 2 * border, size->height + 2 * border};
  item.valign = block().valign;
  item.href = href_;
  item.frame = frame;
  item.hoverFrame = hover_.background ? *hover_.background : frame;
  line_.place(std::move(item));
}

void MarkupLayouter::drawRule() {
  if (line_.holdsAnything()) endLine();
  int x = settings_.width / 2 - ruleWidth_ / 2;
  if (ruleAlign_ == 0)
    x = 0;
  else if (ruleAlign_ == 2)
    x = settings_.width - ruleWidth_;
  if (ruleColor_ && ruleWidth_ > 0 && ruleThickness_ > 0 && y_ < kMarkupHeightLimit) {
    MarkupDraw step;
    step.kind = MarkupDraw::Kind::Fill;
    step.rect = {x, y_ + 2, ruleWidth_, ruleThickness_};
    step.color = ruleColor_;
    layout_.normal.push_back(step);
  }
  y_ = std::max(0, y_ + ruleThickness_ + 4);
}

void MarkupLayouter::endLine() {
  if (!line_.holdsAnything()) {
    y_ += measure_.textSize(font(), " ").height;
  } else {
    const int height = line_.height();
    line_.finish(y_, block().align, layout_);
    y_ += height;
  }
  line_ = MarkupLine{};
}

} // namespace linkmoor
