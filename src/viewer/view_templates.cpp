#include "viewer/view_templates.hpp"

namespace patchlore {

const std::vector<TemplateColumn>& ProgTemplate() {
  static const std::vector<TemplateColumn> columns = {
      {{"Prog Bank", 80}, ""},
      {{"Index", 48}, ""},
      {{"P.Name", 70}, ""},
      {{"OSC Mode", 55}, "POSCMode"},
      {{"Voice Mode", 58}, "PVoiceMode"},
      {{"Key Zone", 48}, "PKeyZone"},
      {{"Octave", kDefaultColumnWidth}, "POctave"},
      {{"Transpose", 54}, "PTranspose"},
      {{"MS / WS / DK", 96}, "PMsWsDk"},
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
