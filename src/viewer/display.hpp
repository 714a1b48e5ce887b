// The display of one kind of object in a viewer. The viewer frame
// (ViewerCore) begins and ends every Show, links the PCG and chooses the
// display by the kind of the request; the display lists the request's objects
// into the table through the frame (ShowFrame), which lends it the filters,
// the status texts and the pump with Cancel.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/table.hpp"
#include "viewer/filters.hpp"
#include "viewer/row_writer.hpp"
#include "viewer/show_frame.hpp"

namespace patchlore {

struct ColumnGroups;

class Display {
 public:
  virtual ~Display() = default;
  virtual void show(ShowFrame& frame) = 0;
};

// One patch as the frame filters it.
struct DisplayPatch {
  std::string key;        // bank name and number, e.g. "U-A007"
  std::string_view name;  // trailing blanks removed, for the name filter
  std::int64_t offset = 0;
};

// A display of banks whose patches pass the filters one by one, on their key
// and their name (programs). Its show() walks every patch of every bank: it
// lets events in and tests Cancel before each patch, keeps BoxExist and
// offsetLines, and writes Msg and Info after each patch and the times at the
// end.
class PatchDisplay : public Display {
 public:
  void show(ShowFrame& frame) override;

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

 private:
  bool showBank(ShowFrame& frame, std::size_t bank);
};

}  // namespace patchlore
