// The display of drum kits and of wave sequences: one row per kit or
// sequence of the banks named by the viewer's descriptor lines, with its
// number and name; the bank's name heads its first row.
#pragma once

#include <cstdint>
#include <string>

#include "common/bytes.hpp"
#include "viewer/display.hpp"

namespace patchlore {

class BankListDisplay : public Display {
 public:
  // bankCaption stands before the bank name: "Drum Kit " or "Wave Seq ".
  BankListDisplay(ShowFrame& frame, std::string bankCaption);

  void show(ShowFrame& frame) override;

 private:
  // False when Cancel stopped the Show.
  bool showBank(ShowFrame& frame, std::size_t b);

  Image image_;
  std::string patch_;        // the kind word, e.g. "Drum"
  std::string bankCaption_;
  bool offsets_ = false;     // checkOffset: the bank's offset after its name
};

}  // namespace patchlore
