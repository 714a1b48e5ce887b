// The display of one kind of object in a viewer. The viewer frame
// (ViewerCore) runs the loop over the descriptor lines and the patches of
// each, lets events in, stops on Cancel, applies the filters and writes the
// status texts; a display knows its columns and turns one patch into rows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/table.hpp"
#include "viewer/filters.hpp"
#include "viewer/row_writer.hpp"

namespace patchlore {

struct ColumnGroups;

// One patch as the frame filters it.
struct DisplayPatch {
  std::string key;        // bank name and number, e.g. "U-A007"
  std::string_view name;  // trailing blanks removed, for the name filter
  std::int64_t offset = 0;
};

class Display {
 public:
  virtual ~Display() = default;
  // How the filters treat this kind.
  virtual FilterView filterView() const = 0;
  // The column groups the kind shows.
  virtual void setGroups(ColumnGroups& groups) const = 0;
  // The shown columns, caption column first.
  virtual std::vector<TableColumn> columns() const = 0;
  // Reads the bank at offset; the number of its patches.
  virtual std::int64_t openBank(std::int64_t offset) = 0;
  // Patch j of the open bank.
  virtual DisplayPatch patch(std::int64_t j) = 0;
  // Appends the rows of patch j, which passed the filters.
  virtual void addRows(std::int64_t j, RowWriter& rows) = 0;
};

}  // namespace patchlore
