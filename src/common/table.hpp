// A table as a window shows it: columns with caption and width, rows with a
// caption (column 0) and the texts of the further columns. The windows show
// it through one model; the export writes it.
#pragma once

#include <string>
#include <vector>

namespace patchlore {

// The toolkit's default column width, used where a width is "default".
constexpr int kDefaultColumnWidth = 50;

struct TableColumn {
  std::string caption;
  int width = kDefaultColumnWidth;
  bool rightAligned = false;  // numbers in a list of files, for example
  bool operator==(const TableColumn&) const = default;
};

struct TableRow {
  std::string caption;             // column 0
  std::vector<std::string> cells;  // columns 1, 2, ...; may hold fewer (empty) or more (unshown) texts
  bool operator==(const TableRow&) const = default;
};

// Rows read when they are shown: a table too large to hold as texts (a SysEx
// file of millions of messages, millions of differing bytes) computes each
// cell when it is asked for.
class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual const std::vector<TableColumn>& columns() const = 0;
  virtual std::size_t rowCount() const = 0;
  // The text of a cell; column 0 is the row's caption.
  virtual std::string text(std::size_t row, std::size_t column) const = 0;
};

struct Table {
  std::vector<TableColumn> columns;
  std::vector<TableRow> rows;

  // The text shown in a cell: the caption for column 0, else the row's cell
  // (empty when the row has none).
  const std::string& text(std::size_t row, std::size_t column) const;
};

}  // namespace patchlore
