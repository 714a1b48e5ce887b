// The bank manager: copies a whole bank of patches from one loaded PCG into
// a bank of the same kind in another (or the same) loaded PCG, or a run of
// bytes from one patch into another, in the images in memory, each as one
// change of the workspace that Undo can take back. This object holds
// everything the window shows as plain data and keeps it while the window is
// hidden; the window copies it onto its widgets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/result.hpp"
#include "formats/banks.hpp"
#include "workspace/workspace.hpp"

namespace patchlore {

enum class BankSide { From, To };

// One side of the window: its file, bank and patch choices and their texts.
struct BankSideState {
  std::vector<std::string> banks;         // FromBanks / ToBanks
  std::vector<std::int64_t> bankOffsets;  // the bank of each line
  std::vector<std::string> patches;       // FromProgs / ToProgs
  std::string boxInfo;                    // FromBoxInfo / ToBoxInfo
  std::string header24;                   // From24 / To24
  std::string bankInfo;                   // FromBankInfo / ToBankInfo

  int file = -1;  // registry index of the chosen file
  std::int64_t fileSize = 0;
  bool bankChosen = false;
  int bankLine = -1;
  BankHeader header;       // as read when the bank was chosen (or changed by a command)
  std::string key;         // the INI2 key: chunk ID and type code
  std::uint8_t sumBank = 0;
  bool patchChosen = false;
  int patch = -1;
};

struct BankManagerState {
  std::vector<std::string> files;  // the lines of FromBox and of ToBox: «N:name»
  std::vector<int> fileIndexes;    // the loaded file of each line
  BankSideState from;
  BankSideState to;
  std::string checkSumInfo = "checkSum_Info";
  std::string moveInfo = "MoveInfo";
  std::string moveSize = "MoveSize";
  std::string moveIni2 = "MoveINI2";
  std::string offsetTitle = "offset (Hex)";
  std::string lengthTitle = "length (Dec)";
  bool writeEnabled = false;
  bool moveEnabled = false;
  int offset = 0;  // of the byte run of Move, inside a patch
  int length = 0;
  int swapMax = 4096;  // the largest offset and length the window offers
};

// "Prog" for both program engines, "Combi", "Drum Kit", "Wave Sequence",
// "Set List"; the chunk ID itself for any other bank.
std::string BankKindOf(std::string_view chunkId);

// "\" hex "\" for each byte below $20, every other byte as it is.
std::string EscapedText(std::string_view bytes);

class BankManager {
 public:
  explicit BankManager(Workspace& workspace) : workspace_(workspace), registry_(workspace.registry()) {}

  const BankManagerState& state() const { return state_; }

  // The Bank Manager command: both file lists hold the loaded PCGs again,
  // both buttons are disabled; every other choice and text stays.
  void open();
  // The line of the file lists that holds a loaded file; -1 when none does.
  int lineOfFile(int fileIndex) const;

  // A click on a line of FromBox/ToBox, FromBanks/ToBanks, FromProgs/ToProgs.
  void chooseFile(BankSide side, int line);
  void chooseBank(BankSide side, int line);
  void choosePatch(BankSide side, int line);
  // The byte run of Move.
  void setOffset(int offset);
  void setLength(int length);

  // Why Write or Move may not run now; empty when it may.
  std::string writeRefusal() const;
  std::string moveRefusal() const;

  // Write: every patch of the From bank over the To bank. Move: the byte
  // run of the From patch into the To patch. Both store the new checksum;
  // a refused command changes nothing and says why.
  Status write();
  Status move();

  // The image of loaded file `file` changed (by a command of this window or
  // another, an undo or a redo): each side showing it reads again its bank
  // lines, the chosen bank's header, checksum texts and patch list. The
  // choices stay, and so do the texts that tell a command's outcome.
  void reread(int file);

 private:
  BankSideState& side(BankSide which) { return which == BankSide::From ? state_.from : state_.to; }
  Image image(const BankSideState& side) const;
  std::string bankLine(BankSide which, std::int64_t offset) const;
  std::string bankInfo(BankSide which) const;
  std::string patchArea(const char* name, const BankSideState& side, const BankHeader& header) const;
  void forecastChecksum();
  void readBank(BankSide which);
  void updateMoveInfo();
  // "I-A005 of B.PCG": a To patch (or the whole bank) and its file, as a change is named.
  std::string toPlace(bool withPatch) const;

  Workspace& workspace_;
  const Registry& registry_;
  BankManagerState state_;
};

}  // namespace patchlore
