// The combination display: one row per timbre of the combinations of the
// combination banks named by the viewer's descriptor lines, with the
// timbre's channel, status, program and its name in the linked PCG, mixer
// settings and zones. A combination's bank, number and name stand only in
// the first row shown for it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/bytes.hpp"
#include "formats/banks.hpp"
#include "formats/combination_record.hpp"
#include "formats/model_layout.hpp"
#include "viewer/display.hpp"

namespace patchlore {

class LinkedNames;

enum class CombinationColumn {
  Index, Name, Timbre, Channel, Status, Prog, ProgName, PlayMute, Pan, Volume, Transpose,
  KeyboardZones, VelocityZones
};

struct CombinationDisplayOptions {
  std::string patch;      // the kind word of the viewer, e.g. "Combi"
  bool offsets = false;   // checkOffset: offsets in the bank caption and the Index cell
  bool prefixes = false;  // SW3: "ch:", "Vol:", "Tran:", "KZone:", "VZone:" before their cells
};

class CombinationDisplay : public Display {
 public:
  CombinationDisplay(Image image, const ModelConstants& model, CombinationDisplayOptions options);

  void show(ShowFrame& frame) override;

 private:
  void prepareColumns(ShowFrame& frame);
  // False when Cancel stopped the Show.
  bool showBank(ShowFrame& frame, std::size_t bank, const LinkedNames* names);
  bool showCombination(ShowFrame& frame, std::int64_t j, const LinkedNames* names);
  void addRow(ShowFrame& frame, std::int64_t j, int t, const std::string& key, std::string_view name);
  void writeBankCaption(std::string& out) const;

  Image image_;
  ModelConstants model_;
  CombinationDisplayOptions options_;
  std::vector<CombinationColumn> shown_;    // the shown columns after the caption column
  BankHeader bank_;
  std::string bankName_;
  CombinationFacts combination_;  // the combination last read
  // Descriptor line and number of the combination of the last added row.
  std::optional<std::pair<std::size_t, std::int64_t>> previousCombination_;
  std::size_t currentBank_ = 0;  // the descriptor line being shown
};

// The P.Name cell of a timbre playing the program of that key: its name in
// the linked PCG (names is nullptr when none is linked), trailing blanks removed.
std::string_view CombinationProgramName(const LinkedNames* names, const std::string& key);

// The display for the Show the frame runs, with the frame's file, model and
// switches.
std::unique_ptr<Display> MakeCombinationDisplay(ShowFrame& frame);

}  // namespace patchlore
