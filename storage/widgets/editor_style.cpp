#include "storage/widgets/editor_style.h"

#include <QFontDatabase>

namespace linkmoor {

QFont editorFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

} // namespace linkmoor
