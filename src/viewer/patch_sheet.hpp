// A viewer's table laid out for paper: the page header (file, caption, date),
// column widths fitted to the page and the rows split into numbered pages.
// The window paints it on a printer or a PDF; the HTML page uses its widths.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "common/table.hpp"

namespace patchlore {

// A column is as wide as its longest text, within these many characters: the
// widest bound keeps one long column (a message's parameters) from taking the
// page from all the others.
constexpr std::size_t kNarrowestSheetColumn = 3;
constexpr std::size_t kWidestSheetColumn = 30;

// What heads every page; texts in the program's 8-bit text.
struct SheetHeader {
  std::string fileName;  // the shown file's name, empty for none
  std::string caption;   // the viewer's caption
  std::string date;      // as the caller gives it
  bool operator==(const SheetHeader&) const = default;
};

struct SheetColumn {
  std::string caption;
  double width = 0;  // in the page's unit; the columns fill the page's width
  bool rightAligned = false;
  bool operator==(const SheetColumn&) const = default;
};

struct SheetPage {
  std::size_t firstRow = 0;
  std::size_t endRow = 0;  // one past the page's last row
  std::string number;      // "Page 1 of 3"
  bool operator==(const SheetPage&) const = default;
};

struct PatchSheet {
  SheetHeader header;
  std::vector<SheetColumn> columns;
  std::vector<SheetPage> pages;  // at least one: an empty table prints its header
};

// Each column's length in characters: its longest text, caption included
// and trailing blanks not (names are stored padded), held between the
// narrowest and widest bounds.
std::vector<std::size_t> ColumnLengths(const Table& table);

// Each column's share of the width, by its length; they add up to 1.
std::vector<double> ColumnShares(const Table& table);

// "Page 1 of 3".
std::string PageNumberText(std::size_t page, std::size_t pages);

// The table's columns fitted to pageWidth and its rows in pages of
// rowsPerPage rows (at least one row per page).
PatchSheet LayOutSheet(const Table& table, SheetHeader header, double pageWidth, int rowsPerPage);

}  // namespace patchlore
