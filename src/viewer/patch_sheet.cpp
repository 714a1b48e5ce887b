#include "viewer/patch_sheet.hpp"

#include <algorithm>

namespace patchlore {

namespace {

std::size_t ShownLength(const std::string& text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string::npos ? 0 : end + 1;
}

}  // namespace

std::vector<std::size_t> ColumnLengths(const Table& table) {
  std::vector<std::size_t> lengths(table.columns.size());
  for (std::size_t c = 0; c < lengths.size(); ++c) {
    std::size_t longest = ShownLength(table.columns[c].caption);
    for (std::size_t r = 0; r < table.rows.size() && longest < kWidestSheetColumn; ++r)
      longest = std::max(longest, ShownLength(table.text(r, c)));
    lengths[c] = std::clamp(longest, kNarrowestSheetColumn, kWidestSheetColumn);
  }
  return lengths;
}

std::vector<double> ColumnShares(const Table& table) {
  const std::vector<std::size_t> lengths = ColumnLengths(table);
  double total = 0;
  for (const std::size_t length : lengths) total += static_cast<double>(length);
  std::vector<double> shares;
  shares.reserve(lengths.size());
  for (const std::size_t length : lengths) shares.push_back(static_cast<double>(length) / total);
  return shares;
}

std::string PageNumberText(std::size_t page, std::size_t pages) {
  return "Page " + std::to_string(page) + " of " + std::to_string(pages);
}

PatchSheet LayOutSheet(const Table& table, SheetHeader header, double pageWidth, int rowsPerPage) {
  PatchSheet sheet{std::move(header), {}, {}};
  const std::vector<double> shares = ColumnShares(table);
  for (std::size_t c = 0; c < table.columns.size(); ++c)
    sheet.columns.push_back({table.columns[c].caption, shares[c] * pageWidth, table.columns[c].rightAligned});

  const std::size_t perPage = static_cast<std::size_t>(std::max(rowsPerPage, 1));
  const std::size_t rows = table.rows.size();
  const std::size_t pages = std::max<std::size_t>((rows + perPage - 1) / perPage, 1);
  for (std::size_t p = 0; p < pages; ++p)
    sheet.pages.push_back({p * perPage, std::min(rows, (p + 1) * perPage), PageNumberText(p + 1, pages)});
  return sheet;
}

}  // namespace patchlore
