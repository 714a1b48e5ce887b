// The name editor (TFormEdit): renames one patch of a bank in the image of a
// loaded PCG and stores the bank's new checksum. NameEditor holds what the
// window shows (its labels, the typed name, BankInfo, the change log) and
// does Write, one change of the workspace that Undo can take back; the Qt
// window copies its state onto the widgets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "workspace/workspace.hpp"

namespace patchlore {

// The texts of the labels that show the patch.
struct NameEditorLabels {
  std::string openIndex;    // LOpenIndex: the loaded file's index, decimal
  std::string bytes;        // LBytes: the image size, decimal
  std::string offset;       // LOffset: the name's offset in the image, 8 hex digits
  std::string offsetBank;   // LOffsetBank: the bank chunk's offset, 8 hex digits
  std::string checkSum;     // LCheckSum: the bank's checksum when opened, two hex digits
  std::string info;         // Info: the file's caption
  std::string caption = "Edit";  // the window caption: "Edit", the kind, the patch key
};

// The patch the editor works on, and the labels made from it.
struct NameEditorInputs {
  int fileIndex = -1;             // the loaded file
  std::int64_t imageSize = -1;    // its image size when the editor was opened
  std::int64_t nameOffset = -1;   // the patch's name in the image
  std::int64_t bankOffset = -1;   // the bank chunk that holds the patch
  int checkSum = -1;              // the bank's checksum when opened; -1 before a patch is given
  Model model = Model::None;      // the file's model, which labelDevice names
  std::string bankPart;           // the patch key's bank name ("I-A")
  std::int64_t patch = -1;        // the patch key's number
  NameEditorLabels labels;
};

struct NameEditorState {
  NameEditorInputs inputs;
  std::string editName;                 // EditName
  std::string bankInfo = "BankInfo";    // the result of the last Write, or why it was refused
  std::string device = "labelDevice";   // "Device:" and the file's model
  std::vector<std::string> log;         // ListBox1: one line per change of EditName
};

// The inputs for patch `patch` of the bank at bankOffset in the loaded file
// fileIndex; the caption names a combination ("CBK1") "Combi", every other
// patch "Prog". Fails when the file, the bank or the patch does not exist.
Result<NameEditorInputs> NameEditorInputsFor(const Registry& registry, int fileIndex,
                                             std::int64_t bankOffset, std::int64_t patch);

// The name a patch holds, without its trailing NUL bytes: EditName's text
// when the editor is opened.
std::string PatchNameAt(const Registry& registry, const NameEditorInputs& inputs);

// What the check of a typed name found that Write still writes.
struct NameCheck {
  bool cut = false;  // more than the 24 characters a name holds: the rest is left out
};

// A name as the user typed it, in UTF-8, before Write stores it. Refused,
// naming the character, when it holds a control character (a tab or a line
// break would break every tab-separated listing of names), a character
// Windows-1251 has no byte for (it would be stored as "?") or a byte that is
// not UTF-8.
Result<NameCheck> CheckPatchName(std::string_view typed);

class NameEditor {
 public:
  explicit NameEditor(Workspace& workspace) : workspace_(workspace), registry_(workspace.registry()) {}

  const NameEditorState& state() const { return state_; }
  const Registry& registry() const { return registry_; }

  // Gives the editor a patch and the name to start from.
  void open(NameEditorInputs inputs, const std::string& name);
  // EditName changed: logs the bank's checksum and the sums of the name in
  // the image and of the typed text.
  void setName(const std::string& typed);
  // The same with the text as typed, in UTF-8 (the window's, the command
  // line's), so that Write can name a character Windows-1251 cannot hold.
  void setTypedName(const std::string& typed);
  // The name Write checks, in UTF-8.
  const std::string& typedName() const { return typed_; }
  // Writes the typed name (cut or padded to 24 bytes) into the image and
  // stores the sum of the bank's payload as its checksum, in the bank and in
  // its INI2 record; BankInfo ends with "; name cut to 24 characters" when
  // it was. A name CheckPatchName refuses, or a patch that cannot be written
  // (no such file, a changed size, a name outside the bank's patches),
  // changes nothing; BankInfo and the failure say why.
  Status write();
  // The image of the patch's file changed (a Write, an undo, a redo): the
  // labels show the bank as it is now and EditName the patch's name (logged
  // when it is not the text typed); BankInfo keeps the last outcome.
  void reread();

 private:
  Workspace& workspace_;
  const Registry& registry_;
  NameEditorState state_;
  std::string typed_;  // EditName as typed, in UTF-8
};

}  // namespace patchlore
