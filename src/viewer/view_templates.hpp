// The hidden template list views whose columns Show copies into the table,
// each column with the component name of the check box that decides it.
#pragma once

#include <string>
#include <vector>

#include "common/table.hpp"

namespace patchlore {

struct TemplateColumn {
  TableColumn column;
  std::string columnSwitch;  // empty: always copied
};

// ListViewProg: "Prog Bank", "Index", "P.Name", "OSC Mode", "Voice Mode",
// "Key Zone", "Octave", "Transpose", "MS / WS / DK".
const std::vector<TemplateColumn>& ProgTemplate();
// ListViewSysex: "Sysex", "Index", "Offset", "Name", "Parameters".
const std::vector<TemplateColumn>& SysexTemplate();

}  // namespace patchlore
