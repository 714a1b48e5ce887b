// Rows appended to a table, reusing the texts of the rows of the previous
// Show: a Show of a full PCG writes tens of thousands of cell texts, and
// their buffers are taken over instead of freed and allocated again.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "common/table.hpp"

namespace patchlore {

// The cells of one row, written in order. Each next() gives the following
// cell, empty; drop() takes the last one back; the row keeps exactly the
// cells written when the writer ends. Room for the expected number of cells
// is made at once rather than by growing one cell at a time.
class CellWriter {
 public:
  CellWriter(std::vector<std::string>& cells, std::size_t expected) : cells_(cells) {
    cells_.reserve(expected);
  }
  CellWriter(const CellWriter&) = delete;
  CellWriter& operator=(const CellWriter&) = delete;
  ~CellWriter() { cells_.resize(used_); }

  std::string& next() {
    if (used_ == cells_.size()) cells_.emplace_back();
    std::string& cell = cells_[used_++];
    cell.clear();
    return cell;
  }
  void drop() { --used_; }

 private:
  std::vector<std::string>& cells_;
  std::size_t used_ = 0;
};

class RowWriter {
 public:
  // rows receives the new rows; spare holds rows whose texts may be reused.
  RowWriter(std::vector<TableRow>& rows, std::vector<TableRow>& spare) : rows_(rows), spare_(spare) {}

  // Makes room for more rows at once, growing by at least half again, so
  // that the rows are moved to a larger buffer a few times per Show only.
  void expect(std::size_t more) {
    const std::size_t wanted = rows_.size() + more;
    if (wanted > rows_.capacity()) rows_.reserve(std::max(wanted, rows_.capacity() + rows_.capacity() / 2));
  }

  // A new last row with an empty caption; write its cells with a CellWriter.
  TableRow& add() {
    if (spare_.empty()) return rows_.emplace_back();
    TableRow& row = rows_.emplace_back(std::move(spare_.back()));
    spare_.pop_back();
    row.caption.clear();
    return row;
  }

 private:
  std::vector<TableRow>& rows_;
  std::vector<TableRow>& spare_;
};

}  // namespace patchlore
