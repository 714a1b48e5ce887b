// A viewer's table as one self-contained HTML page to print from a browser:
// UTF-8, its style inline, the file's name, the caption and the date at the
// top, the columns sharing the width as on the printed sheet, and the
// column header repeated on every printed page.
#pragma once

#include <string>

#include "common/table.hpp"
#include "viewer/patch_sheet.hpp"

namespace patchlore {

// The text in UTF-8 with &, <, > and " written as character references;
// control bytes show as a middle dot, as on screen.
std::string HtmlEscaped(const std::string& text);

// The whole page, in UTF-8.
std::string SheetHtml(const Table& table, const SheetHeader& header);

}  // namespace patchlore
