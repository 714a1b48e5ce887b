#include "viewer/view_templates.hpp"

namespace patchlore {

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
