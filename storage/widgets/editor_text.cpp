#include "storage/widgets/editor_text.h"

namespace linkmoor {

QString collapseCrLf(const QString &text) {
  QString out;
  out.reserve(text.size());
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size;) {
    if (text[i] != u'\r') {
      out += text[i++];
      continue;
    }
    qsizetype end = i;
    while (end < size && text[end] == u'\r')
      ++end;
    if (end < size && text[end] == u'\n') {
      out += u'\n';
      i = end + 1;
    } else {
      out += text.mid(i, end - i);
      i = end;
    }
  }
  return out;
}

QString toEditorLineEnds(const QString &text) {
  QString out = collapseCrLf(text);
  for (QChar &c : out) {
    switch (c.unicode()) {
    case u'\r':
    case 0x2029: // paragraph separator
    case 0xFDD0: // frame markers of the text document
    case 0xFDD1:
      c = u'\n';
      break;
    default:
      break;
    }
  }
  return out;
}

QString fromPageText(std::u16string_view text) {
  // Not QString::fromUtf16, which drops a leading byte order mark.
  return QString(reinterpret_cast<const QChar *>(text.data()), static_cast<qsizetype>(text.size()));
}

std::u16string_view toPageText(const QString &text) {
  return {reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace linkmoor
