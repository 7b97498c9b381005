#include "workspace/error_rows.h"

#include "storage/page_text_codec.h"
#include "storage/widgets/editor_text.h"

namespace linkmoor {

QString excerptText(std::string_view bytes, PageEncoding encoding) {
  if (encoding == PageEncoding::Utf8) {
    for (std::size_t cut = 1; cut <= 3 && cut <= bytes.size() && !isValidUtf8(bytes); ++cut) {
      const std::string_view head = bytes.substr(0, bytes.size() - cut);
      if (static_cast<unsigned char>(bytes[head.size()]) >= 0xC0 && isValidUtf8(head)) {
        bytes = head;
        break;
      }
    }
  }
  return fromPageText(decodePage(bytes, encoding));
}

ErrorCells errorCells(const ErrorRecord &record, bool linkRows, PageEncoding encoding) {
  const RowTexts texts = linkRows ? linkText(record) : kindText(record);
  return {QString::number(static_cast<qint64>(record.line) + 1),
          QString::fromLatin1(texts.type.data(), static_cast<qsizetype>(texts.type.size())),
          QString::fromLatin1(texts.error.data(), static_cast<qsizetype>(texts.error.size())),
          excerptText(record.excerpt, encoding)};
}

std::vector<ErrorCells> errorRows(const ErrorList &errors, PageEncoding encoding) {
  std::vector<ErrorCells> rows;
  for (const auto &record : errors)
    if (record) rows.push_back(errorCells(*record, errors.linkRows != 0, encoding));
  return rows;
}

} // namespace linkmoor
