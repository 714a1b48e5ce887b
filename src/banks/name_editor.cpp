#include "banks/name_editor.hpp"

#include <algorithm>

#include "common/bytes.hpp"
#include "common/cp1251.hpp"
#include "formats/bank_layout.hpp"
#include "formats/banks.hpp"
#include "formats/checksums.hpp"
#include "formats/chunks.hpp"

namespace patchlore {

namespace {

constexpr int kSumDigits = 2;
constexpr std::int64_t kNameWidth = bank_layout::kPatchNameWidth;

// The 24 bytes written for a typed name: cut to 24, padded with NUL bytes.
std::string NameField(std::string_view typed) {
  std::string field(typed.substr(0, static_cast<std::size_t>(kNameWidth)));
  field.resize(static_cast<std::size_t>(kNameWidth), '\0');
  return field;
}

std::uint8_t SumOf(std::string_view bytes) {
  unsigned sum = 0;
  for (const char c : bytes) sum += static_cast<std::uint8_t>(c);
  return static_cast<std::uint8_t>(sum);
}

// The patch Write works on, checked against the image.
struct Target {
  int index = -1;
  std::int64_t nameOffset = -1;
  BankHeader bank;
};

// «I-A000»: the bank name and the three-digit patch number.
std::string PatchKey(const NameEditorInputs& inputs) { return inputs.bankPart + ZeroPad(inputs.patch, 3); }

std::string Refusal(const std::string& why) { return why + ": nothing written"; }

// The patch number of the name at nameOffset in the bank, or -1 when the
// name is not the start of one of the bank's patches lying in the bank
// chunk (by its size field, whatever its patch count claims) and the image.
std::int64_t PatchOfName(const BankHeader& bank, std::int64_t nameOffset, std::int64_t size) {
  const bool isBank = bank.id.size() == 4 && bank.id.ends_with("BK1");
  const std::int64_t first = bank.patchOffset(0);
  if (!isBank || bank.patchSize < kNameWidth || nameOffset < first) return -1;
  if ((nameOffset - first) % bank.patchSize != 0) return -1;
  const std::int64_t patch = (nameOffset - first) / bank.patchSize;
  const std::int64_t end = std::min(size, bank.offset + kChunkHeaderSize + bank.chunkSize);
  if (patch >= bank.patchCount || nameOffset > end - kNameWidth) return -1;
  return patch;
}

Result<Target> FindTarget(const Registry& registry, const NameEditorInputs& inputs) {
  Target target;
  if (!registry.contains(inputs.fileIndex))
    return Failure{Refusal("No loaded file has the index " + std::to_string(inputs.fileIndex))};
  target.index = inputs.fileIndex;
  const std::int64_t size = registry.size(target.index);
  if (inputs.imageSize != size)
    return Failure{Refusal("The file has " + std::to_string(size) + " bytes, not " + std::to_string(inputs.imageSize))};
  const std::int64_t bankOffset = inputs.bankOffset;
  if (bankOffset < 0 || bankOffset > size - kBankHeaderSize)
    return Failure{Refusal("No bank header lies at " + Hex8(bankOffset))};
  target.bank = ReadBankHeader(registry.image(target.index), bankOffset);
  target.nameOffset = inputs.nameOffset;
  if (PatchOfName(target.bank, target.nameOffset, size) < 0)
    return Failure{Refusal("No patch of the bank at " + Hex8(bankOffset) + " begins at " + Hex8(target.nameOffset))};
  return target;
}

// The word labelDevice shows after "Device:".
std::string DeviceWord(Model model) {
  return model == Model::None ? std::string("undefined") : std::string(ModelText(model));
}

std::string Ini2Note(Ini2Store store) {
  switch (store) {
    case Ini2Store::Written: return "";
    case Ini2Store::Missing: return "; INI2 missing";
    case Ini2Store::NoRecord: return "; no INI2 record";
    case Ini2Store::OutsideChunk: return "; INI2 record cut off";
  }
  return "";
}

// «U+0009»: a character by its code point, which every text can hold.
std::string CodePointText(char32_t cp) { return "U+" + HexPad(cp, 4); }

bool IsControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

}  // namespace

Result<NameCheck> CheckPatchName(std::string_view typed) {
  std::int64_t characters = 0;
  for (std::size_t at = 0; at < typed.size(); ++characters) {
    const std::optional<Utf8Character> character = DecodeUtf8(typed, at);
    if (!character)
      return Failure{Refusal("The name holds the byte $" + HexPad(static_cast<std::uint8_t>(typed[at]), 2) +
                             ", which is not UTF-8")};
    const char32_t cp = character->codePoint;
    if (IsControl(cp)) return Failure{Refusal("The name holds the control character " + CodePointText(cp))};
    if (!Cp1251Holds(cp))
      return Failure{Refusal("The name holds " + CodePointText(cp) + ", a character Windows-1251 cannot hold")};
    at += character->length;
  }
  return NameCheck{.cut = characters > kNameWidth};
}

Result<NameEditorInputs> NameEditorInputsFor(const Registry& registry, int fileIndex,
                                             std::int64_t bankOffset, std::int64_t patch) {
  if (fileIndex < 0 || fileIndex >= registry.count())
    return Failure{"No loaded file has the index " + std::to_string(fileIndex)};
  const Image image = registry.image(fileIndex);
  const std::int64_t size = std::ssize(image);
  if (bankOffset < 0 || bankOffset > size - kBankHeaderSize)
    return Failure{"No bank lies at " + Hex8(bankOffset)};
  const BankHeader bank = ReadBankHeader(image, bankOffset);
  if (patch < 0 || PatchOfName(bank, bank.patchOffset(patch), size) != patch)
    return Failure{"The bank at " + Hex8(bankOffset) + " has no patch " + std::to_string(patch)};
  NameEditorInputs inputs{.fileIndex = fileIndex,
                          .imageSize = size,
                          .nameOffset = bank.patchOffset(patch),
                          .bankOffset = bankOffset,
                          .checkSum = bank.checkSum,
                          .model = registry.model(fileIndex),
                          .bankPart = BankName(bank.id, bank.typeCode),
                          .patch = patch,
                          .labels = {}};
  NameEditorLabels& labels = inputs.labels;
  labels.openIndex = std::to_string(fileIndex);
  labels.bytes = std::to_string(size);
  labels.offset = Hex8(inputs.nameOffset);
  labels.offsetBank = Hex8(bankOffset);
  labels.checkSum = HexPad(bank.checkSum, kSumDigits);
  labels.info = FileWindowCaption(registry, fileIndex);
  const std::string kindWord = bank.id == "CBK1" ? "Combi" : "Prog";
  labels.caption = "Edit " + kindWord + " " + PatchKey(inputs);
  return inputs;
}

std::string PatchNameAt(const Registry& registry, const NameEditorInputs& inputs) {
  if (!registry.contains(inputs.fileIndex)) return "";
  return NameText(BytesText(registry.image(inputs.fileIndex), inputs.nameOffset, kNameWidth));
}

void NameEditor::open(NameEditorInputs inputs, const std::string& name) {
  state_.inputs = std::move(inputs);
  setName(name);
}

void NameEditor::setTypedName(const std::string& typed) {
  setName(Utf8ToCp1251(typed));
  typed_ = typed;
}

void NameEditor::setName(const std::string& typed) {
  const NameEditorInputs& inputs = state_.inputs;
  typed_ = Cp1251ToUtf8(typed);
  state_.editName = typed;
  state_.device = "Device:" + DeviceWord(inputs.model);
  const Image image = registry_.contains(inputs.fileIndex) ? registry_.image(inputs.fileIndex) : Image{};
  const std::uint8_t oldSum = SumOf(BytesText(image, inputs.nameOffset, kNameWidth));
  state_.log.push_back("Bank:" + HexPad(inputs.checkSum, kSumDigits) +
                       "; Name:" + HexPad(oldSum, kSumDigits) + "; Text:" + HexPad(SumOf(typed), kSumDigits) +
                       "; " + std::to_string(state_.log.size()) + ":" + typed);
}

Status NameEditor::write() {
  const Result<NameCheck> checked = CheckPatchName(typed_);
  if (!checked) {
    state_.bankInfo = checked.failure().text;
    return checked.failure();
  }
  const Result<Target> found = FindTarget(registry_, state_.inputs);
  if (!found) {
    state_.bankInfo = found.failure().text;
    return found.failure();
  }
  const Target& target = *found;
  const NameEditorInputs& inputs = state_.inputs;
  ImageEdit edit = workspace_.beginChange(target.index,
                                          "Edit name " + PatchKey(inputs) + " of " + registry_.name(target.index));
  const std::int64_t bank = target.bank.offset;
  const bool wasRight = CheckBytes(edit.image(), bank) == target.bank.checkSum;
  edit.write(target.nameOffset, NameField(state_.editName));
  const std::uint8_t sum = CheckBytes(edit.image(), bank);
  const ChecksumStore stored = StoreCheckSum(edit, bank, BankKey(edit.image(), bank), sum);
  if (Status committed = workspace_.commit(edit); !committed) {
    state_.bankInfo = committed.failure().text;
    return committed;
  }
  state_.bankInfo = PatchKey(inputs) + "; " + inputs.bankPart + "; " + std::to_string(inputs.patch) +
                    "; sumEdit=" + HexPad(sum, kSumDigits) + (wasRight ? "" : " (checksum was wrong)") +
                    Ini2Note(stored.ini2) + (checked->cut ? "; name cut to 24 characters" : "");
  return Success();
}

void NameEditor::reread() {
  const NameEditorInputs& inputs = state_.inputs;
  if (!registry_.contains(inputs.fileIndex)) return;
  auto now = NameEditorInputsFor(registry_, inputs.fileIndex, inputs.bankOffset, inputs.patch);
  if (!now) return;  // the editor keeps what it showed; its Write will say why it cannot
  const std::string name = PatchNameAt(registry_, *now);
  state_.inputs = std::move(*now);
  if (name != state_.editName) setName(name);  // a change of EditName is logged
}

}  // namespace patchlore
