// The set list display: one row per slot of each set list of the set list
// banks named by the viewer's descriptor lines, with the slot's type, name,
// volume, hold time and comment.
#pragma once

#include <cstdint>
#include <string>

#include "common/bytes.hpp"
#include "formats/set_list_record.hpp"
#include "viewer/display.hpp"

namespace patchlore {

struct ShowContext;

class SetListDisplay : public Display {
 public:
  // The file's version chooses how the slot type reads: by name for "0200",
  // else as its digit with the version.
  explicit SetListDisplay(const ShowContext& context);

  void show(ShowFrame& frame) override;

 private:
  // False when Cancel stopped the Show.
  bool showBank(ShowFrame& frame, std::int64_t sls1);
  void addSlotRow(RowWriter& rows, const SetListBankFacts& bank, std::int64_t j, int slot,
                  std::int64_t slotSize);
  void writeMsg(ShowFrame& frame, std::int64_t j);

  Image image_;
  std::string patch_;        // the kind word, e.g. "SetList"
  std::string fileVersion_;  // "0200", "0202", ...
  std::string setListName_;  // of the set list being listed
  bool cancelled_ = false;   // what the last pump saw
};

}  // namespace patchlore
