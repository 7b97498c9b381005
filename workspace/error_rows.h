#pragma once
// The texts of the desc page's rows, from the records of an error list.

#include "engine/error_list.h"
#include "storage/page_text_codec.h"

#include <QString>
#include <array>
#include <string_view>
#include <vector>

namespace linkmoor {

/// The four cells of one row: line, type, error, format or link.
using ErrorCells = std::array<QString, 4>;

/// The text of an excerpt's bytes, taken from a page in `encoding`. An excerpt is cut
/// after a number of bytes, which may fall inside a UTF-8 character: such a cut-off
/// tail is dropped rather than shown as a replacement character.
QString excerptText(std::string_view bytes, PageEncoding encoding);
/// The row of `record`: its line + 1, then the type and error texts of `linkText` (link
/// rows) or `kindText` (syntax rows), then its excerpt.
ErrorCells errorCells(const ErrorRecord &record, bool linkRows, PageEncoding encoding);
/// The rows of `errors`, in the list's order.
std::vector<ErrorCells> errorRows(const ErrorList &errors, PageEncoding encoding);

} // namespace linkmoor
