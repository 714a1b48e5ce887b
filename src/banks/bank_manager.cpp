#include "banks/bank_manager.hpp"

#include <algorithm>

#include "common/byte_reader.hpp"
#include "common/bytes.hpp"
#include "formats/bank_layout.hpp"
#include "formats/checksums.hpp"
#include "formats/chunks.hpp"
#include "formats/ini2_layout.hpp"

namespace patchlore {

namespace {

bool IsProgramBank(std::string_view id) { return id == "PBK1" || id == "MBK1"; }

// The banks the lists offer: those of "PRG1" and "CMB1", in file order.
std::vector<std::int64_t> ListedBanks(Image image) {
  std::vector<std::int64_t> banks;
  const auto size = static_cast<std::int64_t>(image.size());
  for (std::int64_t o = kFirstPcgChild; o >= kFirstPcgChild && o < size - 1;) {
    const std::string id = BytesText(image, o, kChunkIdWidth);
    if (id == "PRG1" || id == "CMB1") {
      const auto run = BankRun(image, o, id == "PRG1" ? BankRunKind::Programs : BankRunKind::Combinations);
      banks.insert(banks.end(), run.begin(), run.end());
    }
    const std::int64_t next = o + kChunkHeaderSize + ReadClippedS32BE(image, o + kChunkSizeField);
    if (next <= o) break;
    o = next;
  }
  return banks;
}

std::string PatchLine(Image image, const BankHeader& header, std::int64_t patch) {
  const std::string name = BytesText(image, header.patchOffset(patch) + bank_layout::kPatchName,
                                     bank_layout::kPatchNameWidth);
  return ProgBankName(header.typeCode) + ZeroPad(patch, 3) + ": " + Trim(NameText(name));
}

// The patches whose names lie inside the image: all of them in a whole file.
// With a patch size of 0 every patch is the same bytes, so one line stands
// for them all (a damaged count could otherwise ask for two billion).
std::vector<std::string> PatchLines(Image image, const BankHeader& header) {
  std::vector<std::string> lines;
  const auto size = static_cast<std::int64_t>(image.size());
  const std::int64_t count = header.patchSize > 0 ? header.patchCountField : std::min(header.patchCountField, 1);
  for (std::int64_t k = 0; k < count; ++k) {
    if (header.patchOffset(k) + bank_layout::kPatchNameWidth > size) break;
    lines.push_back(PatchLine(image, header, k));
  }
  return lines;
}

// Where the patches of a bank end, from the first byte of the bank.
std::int64_t PatchesEnd(const BankHeader& header) {
  return kBankHeaderSize + std::int64_t{header.patchCountField} * header.patchSizeField;
}

std::string SideName(BankSide side) { return side == BankSide::From ? "From" : "To"; }

}  // namespace

std::string BankKindOf(std::string_view chunkId) {
  if (IsProgramBank(chunkId)) return "Prog";
  if (chunkId == "CBK1") return "Combi";
  if (chunkId == "DBK1") return "Drum Kit";
  if (chunkId == "WBK1") return "Wave Sequence";
  if (chunkId == "SBK1") return "Set List";
  return std::string(chunkId);
}

std::string EscapedText(std::string_view bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<std::uint8_t>(c);
    text += byte < 0x20 ? Concat({"\\", HexPad(byte, 2), "\\"}) : std::string(1, c);
  }
  return text;
}

Image BankManager::image(const BankSideState& side) const {
  if (side.file < 0 || side.file >= registry_.count()) return {};
  return registry_.image(side.file);
}

void BankManager::open() {
  state_.files.clear();
  state_.fileIndexes.clear();
  for (int i = 0; i < registry_.count(); ++i) {
    if (registry_.kind(i) != FileKind::Pcg) continue;
    state_.files.push_back(std::to_string(i) + ":" + registry_.name(i));
    state_.fileIndexes.push_back(i);
  }
  state_.writeEnabled = false;
  state_.moveEnabled = false;
}

int BankManager::lineOfFile(int fileIndex) const {
  const auto& indexes = state_.fileIndexes;
  const auto found = std::find(indexes.begin(), indexes.end(), fileIndex);
  return found == indexes.end() ? -1 : static_cast<int>(found - indexes.begin());
}

std::string BankManager::bankLine(BankSide which, std::int64_t offset) const {
  const BankSideState& s = which == BankSide::From ? state_.from : state_.to;
  const Image bytes = image(s);
  const BankHeader header = ReadBankHeader(bytes, offset);
  if (!IsProgramBank(header.id)) return "Combi Bank " + CombiBankName(header.typeCode) + "=" + Hex8(offset);
  std::string line = "Prog Bank " + ProgBankName(header.typeCode) + "=" + BankEngine(header.id) + "; " +
                     HexPad(header.patchSize, 2) + "; ; checkS=" + HexPad(header.checkSum, 2) + "; ";
  if (which == BankSide::From) line += HexPad(CheckBytes(bytes, offset), 2) + "; ; ";
  return line + "offset=" + Hex8(offset);
}

void BankManager::chooseFile(BankSide which, int line) {
  if (line < 0 || line >= static_cast<int>(state_.files.size())) return;
  BankSideState& s = side(which);
  state_.writeEnabled = false;
  state_.moveEnabled = false;
  s.bankChosen = false;
  s.patchChosen = false;
  s.banks.clear();
  s.bankOffsets.clear();
  s.patches.clear();
  s.bankInfo.clear();
  s.file = state_.fileIndexes[static_cast<std::size_t>(line)];
  s.fileSize = registry_.size(s.file);
  s.boxInfo = std::to_string(s.file) + ": " + registry_.type(s.file) + "; Bytes:" + std::to_string(s.fileSize);
  s.bankOffsets = ListedBanks(image(s));
  for (const std::int64_t offset : s.bankOffsets) s.banks.push_back(bankLine(which, offset));
}

std::string BankManager::bankInfo(BankSide which) const {
  const BankSideState& s = which == BankSide::From ? state_.from : state_.to;
  const bool from = which == BankSide::From;
  return " Count=" + HexPad(s.header.patchCountField, 2) + "; Size=" + HexPad(s.header.patchSizeField, 2) +
         (from ? "h = " : "h= ") + std::to_string(s.header.patchSizeField) + "d; checkSum" + SideName(which) + "=" +
         HexPad(s.header.checkSum, 2) + "; sumBank=" + HexPad(s.sumBank, 2);
}

void BankManager::chooseBank(BankSide which, int line) {
  BankSideState& s = side(which);
  if (line < 0 || line >= static_cast<int>(s.bankOffsets.size())) return;
  s.bankChosen = true;
  s.bankLine = line;
  readBank(which);
  s.patchChosen = false;
  state_.moveEnabled = false;
  state_.writeEnabled = writeRefusal().empty();
  state_.swapMax = static_cast<int>(std::clamp<std::int64_t>(
      std::max(state_.from.header.patchSizeField, state_.to.header.patchSizeField), 0, INT32_MAX));
  if (state_.to.bankChosen) forecastChecksum();
}

// The chosen bank as the image holds it now.
void BankManager::readBank(BankSide which) {
  BankSideState& s = side(which);
  const Image bytes = image(s);
  const std::int64_t offset = s.bankOffsets[static_cast<std::size_t>(s.bankLine)];
  s.header = ReadBankHeader(bytes, offset);
  s.key = BankKey(bytes, offset);
  s.sumBank = SumBank(bytes, offset);
  s.header24 = HexText(BytesText(bytes, offset, kBankHeaderSize));
  s.patches = PatchLines(bytes, s.header);
  s.bankInfo = bankInfo(which);
}

void BankManager::reread(int file) {
  bool shown = false;
  for (const BankSide which : {BankSide::From, BankSide::To}) {
    BankSideState& s = side(which);
    if (s.file != file) continue;
    shown = true;
    s.bankOffsets = ListedBanks(image(s));
    s.banks.clear();
    for (const std::int64_t offset : s.bankOffsets) s.banks.push_back(bankLine(which, offset));
    s.bankChosen = s.bankChosen && s.bankLine < static_cast<int>(s.bankOffsets.size());
    if (s.bankChosen) readBank(which);
    s.patchChosen = s.bankChosen && s.patchChosen && s.patch < static_cast<int>(s.patches.size());
  }
  if (!shown) return;
  // A button the window disabled stays so; one the change made useless goes off.
  state_.writeEnabled = state_.writeEnabled && writeRefusal().empty();
  state_.moveEnabled = state_.moveEnabled && moveRefusal().empty();
}

// What a Write would store, by the arithmetic that exchanges the type codes
// in the From checksum; the INI2 record that will be written with it.
void BankManager::forecastChecksum() {
  const BankSideState& from = state_.from;
  const BankSideState& to = state_.to;
  const int r = AdjustCheckSum(from.header.checkSum, from.header.typeCode, to.header.typeCode);
  std::string text = to.header.id + ";  " + HexPad(from.header.checkSum, 2) + " - " + HexPad(from.sumBank, 2) +
                     " + " + HexPad(to.sumBank, 2) + " = " + HexPad(r, 2) + " = " + HexPad(r & 0xFF, 2);
  if (from.bankChosen && from.header.checkSum != CheckBytes(image(from), from.header.offset))
    text += " (source checksum was wrong)";
  const Image toImage = image(to);
  const std::int64_t ini = FindChunk("INI2", toImage);
  if (ini < 0) {
    text += "; INI2 missing";
  } else {
    const auto record = FindIni2Record(toImage, to.key);
    const std::int64_t p = record ? *record - ini + 1 : 0;
    text += "; " + Hex8(ini) + ":INI2; +" + HexPad(p, 2) + ":" + Hex8(ini + p) + ":" + EscapedText(to.key);
  }
  const std::string refusal = writeRefusal();
  if (from.bankChosen && !refusal.empty()) text += "; Write refused: " + refusal;
  state_.checkSumInfo = text;
}

void BankManager::choosePatch(BankSide which, int line) {
  BankSideState& s = side(which);
  if (line < 0 || line >= static_cast<int>(s.patches.size())) return;
  s.patchChosen = true;
  s.patch = line;
  updateMoveInfo();
}

void BankManager::updateMoveInfo() {
  const BankSideState& from = state_.from;
  const BankSideState& to = state_.to;
  state_.moveInfo = "ipatchFrom=" + std::to_string(from.patch) + "; patchSizeFrom=" +
                    HexPad(from.header.patchSizeField, 2) + "; ipatchTo=  " + std::to_string(to.patch) +
                    "; patchSizeto=" + HexPad(to.header.patchSizeField, 2);
  const std::string refusal = moveRefusal();
  state_.moveEnabled = refusal.empty();
  if (from.patchChosen && to.patchChosen && !refusal.empty()) state_.moveInfo += "; Move refused: " + refusal;
}

void BankManager::setOffset(int offset) {
  state_.offset = std::clamp(offset, 0, state_.swapMax);
  state_.offsetTitle = "offset " + HexPad(state_.offset, 2);
}

void BankManager::setLength(int length) {
  state_.length = std::clamp(length, 0, state_.swapMax);
  state_.lengthTitle = "length " + HexPad(state_.length, 2);
}

// Why the patches of a bank cannot be read or written whole; empty when they can.
std::string BankManager::patchArea(const char* name, const BankSideState& s, const BankHeader& header) const {
  const std::int64_t end = PatchesEnd(header);
  if (header.patchCountField < 0 || header.patchSizeField < 0)
    return std::string("the ") + name + " bank has a negative patch count or size";
  if (header.offset + end > static_cast<std::int64_t>(image(s).size()))
    return std::string("the ") + name + " bank runs past the end of its file";
  if (end > kChunkHeaderSize + std::int64_t{header.chunkSize})
    return std::string("the ") + name + " bank's patches run past its chunk";
  return {};
}

std::string BankManager::writeRefusal() const {
  const BankSideState& from = state_.from;
  const BankSideState& to = state_.to;
  if (!from.bankChosen || !to.bankChosen) return "choose a From bank and a To bank";
  const BankHeader f = ReadBankHeader(image(from), from.header.offset);
  const BankHeader t = ReadBankHeader(image(to), to.header.offset);
  if (BankKindOf(f.id) != BankKindOf(t.id))
    return "a " + BankKindOf(f.id) + " bank cannot be written into a " + BankKindOf(t.id) + " bank";
  if (f.patchCountField != t.patchCountField)
    return "the patch counts differ (" + HexPad(f.patchCountField, 2) + " and " + HexPad(t.patchCountField, 2) + ")";
  if (f.patchSizeField != t.patchSizeField)
    return "the patch sizes differ (" + HexPad(f.patchSizeField, 2) + " and " + HexPad(t.patchSizeField, 2) + ")";
  if (auto why = patchArea("From", from, f); !why.empty()) return why;
  return patchArea("To", to, t);
}

std::string BankManager::moveRefusal() const {
  const BankSideState& from = state_.from;
  const BankSideState& to = state_.to;
  if (!from.patchChosen || !to.patchChosen) return "choose a From patch and a To patch";
  const BankHeader f = ReadBankHeader(image(from), from.header.offset);
  const BankHeader t = ReadBankHeader(image(to), to.header.offset);
  if (f.id != t.id) return "Move keeps the To bank's chunk ID, and " + f.id + " is not " + t.id;
  if (f.patchSizeField != t.patchSizeField)
    return "the patch sizes differ (" + HexPad(f.patchSizeField, 2) + " and " + HexPad(t.patchSizeField, 2) + ")";
  if (auto why = patchArea("From", from, f); !why.empty()) return why;
  return patchArea("To", to, t);
}

namespace {
std::string StoreNote(Ini2Store ini2) {
  switch (ini2) {
    case Ini2Store::NoRecord: return "; INI2 record not found";
    case Ini2Store::OutsideChunk: return "; INI2 record lies outside INI2, not written";
    default: return {};
  }
}
}  // namespace

std::string BankManager::toPlace(bool withPatch) const {
  const BankSideState& to = state_.to;
  return BankName(to.header.id, to.header.typeCode) + (withPatch ? ZeroPad(to.patch, 3) : "") + " of " +
         registry_.name(to.file);
}

Status BankManager::write() {
  if (const std::string refusal = writeRefusal(); !refusal.empty()) return Failure{"Write refused: " + refusal};
  BankSideState& from = state_.from;
  const BankSideState& to = state_.to;
  const Image fromImage = image(from);
  const BankHeader f = ReadBankHeader(fromImage, from.header.offset);
  const int forecast = AdjustCheckSum(f.checkSum, from.header.typeCode, to.header.typeCode);
  from.header24 = HexText(BytesText(fromImage, f.offset, kBankHeaderSize));
  const std::int64_t length = PatchesEnd(f) - kBankHeaderSize;
  ImageEdit edit = workspace_.beginChange(to.file, "Write bank " + toPlace(false));
  edit.write(to.header.offset + kBankHeaderSize, ReadClippedBytes(fromImage, f.offset + kBankHeaderSize, length));
  edit.write(to.header.offset, f.id);
  const std::uint8_t stored = CheckBytes(edit.image(), to.header.offset);
  const ChecksumStore store = StoreCheckSum(edit, to.header.offset, to.key, stored, f.id);
  if (Status committed = workspace_.commit(edit); !committed) return committed;
  state_.checkSumInfo += "; " + std::to_string(from.bankLine) + "-->" + std::to_string(to.bankLine) +
                         "; checkSum=" + HexPad(stored, 2) + "; checkBytes :" + HexPad(stored, 2);
  if ((forecast & 0xFF) != stored)
    state_.checkSumInfo += f.checkSum != CheckBytes(fromImage, f.offset) ? " (source checksum was wrong)"
                                                                         : " (summed over the whole bank)";
  state_.checkSumInfo += StoreNote(store.ini2);
  state_.moveSize = "patchSize=" + HexPad(f.patchSizeField, 2) + " (hex); " + std::to_string(f.patchSizeField) + " (dec)";
  reread(to.file);
  return Success();
}

Status BankManager::move() {
  if (const std::string refusal = moveRefusal(); !refusal.empty()) return Failure{"Move refused: " + refusal};
  const BankSideState& from = state_.from;
  const BankSideState& to = state_.to;
  const Image fromImage = image(from);
  const std::int64_t start = std::max(state_.offset, 0);
  const std::int64_t end = std::min<std::int64_t>(start + state_.length - 1, to.header.patchSizeField - 1);
  const std::int64_t src = from.header.patchOffset(from.patch);
  const std::int64_t dst = to.header.patchOffset(to.patch);
  ImageEdit edit = workspace_.beginChange(to.file, "Move into " + toPlace(true));
  edit.write(dst + start, ReadClippedBytes(fromImage, src + start, end - start + 1));
  const std::uint8_t stored = CheckBytes(edit.image(), to.header.offset);
  const ChecksumStore store = StoreCheckSum(edit, to.header.offset, to.key, stored);
  if (Status committed = workspace_.commit(edit); !committed) return committed;
  state_.moveSize += "; n=" + HexPad(start, 2) + "; k=" + HexPad(end, 2);
  const Image toImage = image(to);
  const std::int64_t ini = FindChunk("INI2", toImage);
  const auto record = FindIni2Record(toImage, to.key);
  const std::int64_t position = ini >= 0 && record ? *record - ini + 1 : 0;
  state_.moveIni2 = "i2=" + Hex8(ini) + "; j2=" + HexPad(position, 2) + "; checkSum=" + HexPad(stored, 2);
  if (store.ini2 == Ini2Store::OutsideChunk) state_.moveIni2 += StoreNote(store.ini2);
  reread(to.file);
  return Success();
}

}  // namespace patchlore
