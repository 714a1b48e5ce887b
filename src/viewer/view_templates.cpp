#include "viewer/view_templates.hpp"

namespace patchlore {

const std::vector<TemplateColumn>& SetListTemplate() {
  static const std::vector<TemplateColumn> columns = {
      {{"Index", kDefaultColumnWidth}, ""},
      {{"SetList Name", 160}, ""},
      {{"Slot", 40}, ""},
      {{"Type", kDefaultColumnWidth}, ""},
      {{"Slot Name", 80}, ""},
      {{"Volume", kDefaultColumnWidth}, ""},
      {{"Hold Time", 60}, ""},
      {{"Comment", kDefaultColumnWidth}, ""},
  };
  return columns;
}

const std::vector<TemplateColumn>& SysexTemplate() {
  static const std::vector<TemplateColumn> columns = {
      {{"Sysex", kDefaultColumnWidth}, ""},
      {{"Index", kDefaultColumnWidth}, ""},
      {{"Offset", 80}, ""},
      {{"Name", 100}, ""},
      {{"Parameters", 200}, ""},
  };
  return columns;
}

}  // namespace patchlore
