#pragma once
// The markup label's tag language, read one character at a time and laid out into the
// drawing steps of the normal and the hover picture. Tags: font (with its stack of font
// states and blocks), a (links with a hover appearance), img (the program's pictures by
// number), hr, br, p, vspace and hspace.

#include "markup/markup_line.h"
#include "markup/markup_surface.h"

#include <string>
#include <vector>

namespace linkmoor {

/// The settings a layout takes from its window.
struct MarkupLayoutSettings {
  /// The layout width: the window's client width.
  int width = 0;
  /// The colour rules take when none is given (the system's button-shadow colour).
  Rgb ruleColor{128, 128, 128};
};

/// Lays out `text` (UTF-8) with sizes from `measure`.
MarkupLayout layoutMarkup(const std::string &text, const MarkupLayoutSettings &settings,
                          MarkupMeasure &measure);

/// The reader and layout of one text.
class MarkupLayouter {
public:
  /// A layout of the given width measuring with `measure`.
  MarkupLayouter(const MarkupLayoutSettings &settings, MarkupMeasure &measure);
  /// Reads the whole text (a line feed is added at its end) and returns the result.
  MarkupLayout run(const std::string &text);

private:
  void outside(char c);
  void inside(char c);
  void nameTag();
  void startTag();
  void endTag();
  void applyAttribute(const std::string &name, const std::string &value);
  void applyFontAttribute(const std::string &name, const std::string &value, MarkupFontState &font,
                          MarkupBlock &block);
  void applyLinkAttribute(const std::string &name, const std::string &value);
  void placeText();
  void placePicture();
  void drawRule();
  void endLine();
  const MarkupFontState &font() const { return fonts_.back(); }
  const MarkupBlock &block() const { return blocks_.back(); }

  MarkupLayoutSettings settings_;
  MarkupMeasure &measure_;
  MarkupLayout layout_;
  MarkupLine line_;
  int y_ = 0;

  std::vector<MarkupFontState> fonts_{MarkupFontState{}};
  std::vector<MarkupBlock> blocks_{MarkupBlock{}};
  std::string href_;
  MarkupHoverState hover_;

  // The tag being read.
  std::string token_;
  bool inTag_ = false;
  bool inValue_ = false;
  char quote_ = 0;
  std::string tagName_;
  std::string attributeName_;
  int attributeCount_ = 0;
  MarkupFontState pendingFont_;
  MarkupBlock pendingBlock_;
  MarkupColor ruleColor_;
  int ruleWidth_ = 0;
  int ruleThickness_ = 0;
  int ruleAlign_ = 1;
  std::string pictureSource_;
  int border_ = 0;
  MarkupColor frame_;
};

} // namespace linkmoor
