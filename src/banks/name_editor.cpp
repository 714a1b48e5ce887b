#include "banks/name_editor.hpp"

#include <algorithm>

#include "banks/name_editor_texts.hpp"
#include "common/bytes.hpp"
#include "formats/bank_layout.hpp"
#include "formats/banks.hpp"
#include "formats/checksums.hpp"
#include "formats/chunks.hpp"

namespace patchlore {

namespace {

constexpr int kOffsetDigits = 8;
constexpr int kSumDigits = 2;
constexpr std::int64_t kNameWidth = bank_layout::kPatchNameWidth;

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
  const std::int64_t index = DecimalOrNone(inputs.openIndex);
  if (index < 0 || index >= registry.count())
    return Failure{Refusal("No loaded file has the index " + std::to_string(index))};
  target.index = static_cast<int>(index);
  const std::int64_t size = registry.size(target.index);
  if (const std::int64_t bytes = DecimalOrNone(inputs.bytes); bytes != size)
    return Failure{Refusal("The file has " + std::to_string(size) + " bytes, not " + std::to_string(bytes))};
  const Image image = registry.image(target.index);
  const std::int64_t bankOffset = HexValue(inputs.offsetBank, kOffsetDigits);
  if (bankOffset < 0 || bankOffset > size - kBankHeaderSize)
    return Failure{Refusal("No bank header lies at " + inputs.offsetBank)};
  target.bank = ReadBankHeader(image, bankOffset);
  target.nameOffset = HexValue(inputs.offset, kOffsetDigits);
  if (PatchOfName(target.bank, target.nameOffset, size) < 0)
    return Failure{Refusal("No patch of the bank at " + Hex8(bankOffset) + " begins at " + inputs.offset)};
  return target;
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

}  // namespace

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
  NameEditorInputs inputs;
  inputs.openIndex = std::to_string(fileIndex);
  inputs.bytes = std::to_string(size);
  inputs.offset = Hex8(bank.patchOffset(patch));
  inputs.offsetBank = Hex8(bankOffset);
  inputs.checkSum = HexPad(bank.checkSum, kSumDigits);
  inputs.info = FileWindowCaption(registry, fileIndex);
  const std::string kindWord = bank.id == "CBK1" ? "Combi" : "Prog";
  inputs.caption = "Edit " + kindWord + " " + BankName(bank.id, bank.typeCode) + ZeroPad(patch, 3);
  return inputs;
}

std::string PatchNameAt(const Registry& registry, const NameEditorInputs& inputs) {
  const std::int64_t index = DecimalOrNone(inputs.openIndex);
  if (index < 0 || index >= registry.count()) return "";
  std::string name = BytesText(registry.image(static_cast<int>(index)), HexValue(inputs.offset, kOffsetDigits), kNameWidth);
  while (!name.empty() && name.back() == '\0') name.pop_back();
  return name;
}

void NameEditor::open(NameEditorInputs inputs, const std::string& name) {
  state_.inputs = std::move(inputs);
  setName(name);
}

void NameEditor::setName(const std::string& typed) {
  const NameEditorInputs& inputs = state_.inputs;
  state_.editName = typed;
  state_.device = "Device:" + DeviceOfInfo(inputs.info);
  const std::int64_t index = IndexFromCaption(inputs.info);
  const Image image = index >= 0 && index < registry_.count() ? registry_.image(static_cast<int>(index)) : Image{};
  const std::int64_t nameOffset = Trim(inputs.offset).empty() ? -1 : HexValue(inputs.offset, kOffsetDigits);
  const std::uint8_t oldSum = SumOf(BytesText(image, nameOffset, kNameWidth));
  state_.log.push_back("Bank:" + HexPad(HexValue(inputs.checkSum, kSumDigits), kSumDigits) +
                       "; Name:" + HexPad(oldSum, kSumDigits) + "; Text:" + HexPad(SumOf(typed), kSumDigits) +
                       "; " + std::to_string(state_.log.size()) + ":" + typed);
}

Status NameEditor::write() {
  const Result<Target> found = FindTarget(registry_, state_.inputs);
  if (!found) {
    state_.bankInfo = found.failure().text;
    return found.failure();
  }
  const Target& target = *found;
  const MutableImage image = registry_.image(target.index);
  const std::int64_t bank = target.bank.offset;
  const bool wasRight = CheckBytes(image, bank) == target.bank.checkSum;
  const std::string name = NameField(state_.editName);
  std::copy(name.begin(), name.end(), image.begin() + target.nameOffset);
  const std::uint8_t sum = CheckBytes(image, bank);
  const ChecksumStore stored = StoreCheckSum(image, bank, BankKey(image, bank), sum);
  const std::string key = PatchKeyOfCaption(state_.inputs.caption);
  state_.bankInfo = key + "; " + BankPartOfKey(key) + "; " + std::to_string(NumberOfKey(key)) +
                    "; sumEdit=" + HexPad(sum, kSumDigits) + (wasRight ? "" : " (checksum was wrong)") +
                    Ini2Note(stored.ini2);
  return Success();
}

}  // namespace patchlore
