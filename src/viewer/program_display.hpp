// The program display: one row per program of the program banks named by
// the viewer's descriptor lines, with the program's oscillator parameters;
// the active velocity zones of an HD-1 program add rows of their own.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.hpp"
#include "formats/banks.hpp"
#include "formats/program_layout.hpp"
#include "formats/program_record.hpp"
#include "viewer/display.hpp"

namespace patchlore {

enum class ProgramColumn { Index, Name, OscMode, VoiceMode, KeyZone, Octave, Transpose, Zones };

struct ProgramDisplayOptions {
  std::string patch;      // the kind word of the viewer, e.g. "Prog"
  bool offsets = false;   // checkOffset: offsets in the bank caption and the Index cell
  bool prefixes = false;  // SW3: "KeyZ:" and "Tran:" before their cells
  bool bankOnce = false;  // SW2: the bank caption only on the first row of a bank
};

enum class ProgramEngine { Hd1, Exi, Undefined };

// What the programs of one bank share, read once per bank.
struct ProgramBank {
  BankHeader header;
  ProgramEngine engine = ProgramEngine::Undefined;
  std::string firstIdCharacter;  // of the bank's chunk ID
  std::string undefinedCode;     // the text of a bank of neither engine
  std::string number;            // two-digit bank number, e.g. "11"
  std::string name;              // e.g. "U-A"
  std::string engineName;        // "HD-1", "EXi" or the chunk ID
};

class ProgramDisplay : public PatchDisplay {
 public:
  // Whether the column check box of that name is ticked.
  using ColumnTicked = std::function<bool(std::string_view columnSwitch)>;

  ProgramDisplay(Image image, const ProgramLayout& layout, ProgramDisplayOptions options,
                 const ColumnTicked& ticked);

  FilterView filterView() const override { return FilterView::Program; }
  void setGroups(ColumnGroups& groups) const override;
  std::vector<TableColumn> columns() const override;
  std::int64_t openBank(std::int64_t offset) override;
  DisplayPatch patch(std::int64_t j) override;
  void addRows(std::int64_t j, RowWriter& rows) override;

 private:
  void writeBankCaption(std::string& out) const;
  void addZoneRows(RowWriter& rows) const;

  Image image_;
  ProgramLayout layout_;
  ProgramDisplayOptions options_;
  std::vector<ProgramColumn> shown_;  // the shown columns after the caption column
  ProgramBank bank_;
  ProgramFacts program_;                         // the patch last read
  std::optional<std::string> previousBankNumber_;  // of the last added row, for SW2
};

}  // namespace patchlore
