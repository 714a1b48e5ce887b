// The hidden template list views whose columns Show copies into the table,
// each column with the component name of the check box that decides it. The
// program display keeps its columns in its own table.
#pragma once

#include <string>
#include <vector>

#include "common/table.hpp"

namespace patchlore {

struct TemplateColumn {
  TableColumn column;
  std::string columnSwitch;  // empty: always copied
};

// ListViewSetList: "Index", "SetList Name", "Slot", "Type", "Slot Name",
// "Volume", "Hold Time", "Comment".
const std::vector<TemplateColumn>& SetListTemplate();

// ListViewSysex: "Sysex", "Index", "Offset", "Name", "Parameters".
const std::vector<TemplateColumn>& SysexTemplate();

}  // namespace patchlore
