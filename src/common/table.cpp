#include "common/table.hpp"

namespace patchlore {

const std::string& Table::text(std::size_t row, std::size_t column) const {
  static const std::string empty;
  const TableRow& r = rows.at(row);
  if (column == 0) return r.caption;
  return column - 1 < r.cells.size() ? r.cells[column - 1] : empty;
}

}  // namespace patchlore
