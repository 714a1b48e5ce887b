#include "viewer/program_display.hpp"

#include <algorithm>
#include <charconv>
#include <span>

#include "viewer/name_tables.hpp"
#include "viewer/text_helpers.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore {

namespace {

// What every cell of one program reads.
struct ProgramCell {
  const ProgramFacts& program;
  const ProgramBank& bank;
  const ProgramLayout& layout;
  const ProgramDisplayOptions& options;
  std::int64_t index;
};

using Cells = std::vector<std::string>;
using CellFunction = void (*)(const ProgramCell&, Cells&);

// Texts of fields that may be missing: a field outside the image gives an
// empty text.
void AppendNote(std::string& out, std::optional<std::uint8_t> note) {
  if (note) out += NoteName(*note);
}
void AppendSigned(std::string& out, std::optional<std::int8_t> value) {
  if (value) out += SignedZeroPad(*value, 2);
}
// ZeroPad of a value that is never negative, appended without a string of its own.
void AppendPadded(std::string& out, std::optional<int> value, int width) {
  if (!value) return;
  char digits[16];
  const char* end = std::to_chars(digits, digits + sizeof digits, *value).ptr;
  const auto length = static_cast<int>(end - digits);
  if (length < width) out.append(static_cast<std::size_t>(width - length), '0');
  out.append(digits, static_cast<std::size_t>(length));
}
void AppendNamed(std::string& out, std::span<const CodeName> table, std::optional<int> code, int digits) {
  if (code) AppendName(out, table, *code, digits);
}
void AppendHexByte(std::string& out, std::optional<std::uint8_t> byte) {
  if (byte) out += HexPad(*byte, 2);
}

std::optional<int> Code(std::optional<std::uint8_t> byte) {
  return byte ? std::optional<int>(*byte) : std::nullopt;
}
std::optional<int> Code(std::optional<bool> bit) {
  return bit ? std::optional<int>(*bit ? 1 : 0) : std::nullopt;
}

bool IsDouble(const ProgramFacts& p) {
  return p.oscMode && (*p.oscMode == kOscModeDouble || *p.oscMode == kOscModeDoubleDrums);
}
// An EXi whose type byte is missing counts as on: its name is empty, not "OFF".
bool ExiOn(const ProgramFacts& p, int exi) {
  const auto& type = p.exi[static_cast<std::size_t>(exi)].type;
  return !(type && *type == kExiOff);
}
std::string ExiName(const ProgramFacts& p, int exi) {
  std::string name;
  AppendNamed(name, kExiNames, Code(p.exi[static_cast<std::size_t>(exi)].type), 2);
  return name;
}
std::string KeyZoneText(const OscillatorFacts& osc) {
  std::string text;
  AppendNote(text, osc.keyZoneLow);
  text += "..";
  AppendNote(text, osc.keyZoneHigh);
  return text;
}
bool ZoneActive(const ZoneFacts& zone) { return zone.sampleType && *zone.sampleType != kSampleTypeOff; }

// "OSC1:3  >WS ... >#0005   >Level=007" for an active zone. Built in one
// reserved string: a full program has sixteen of them.
std::string ZoneText(const ZoneFacts& zone, int osc, int k) {
  constexpr std::size_t kLongestZoneText = 64;
  std::string text;
  text.reserve(kLongestZoneText);
  text += "OSC";
  text += static_cast<char>('1' + osc);  // oscillators 1 and 2, zones 1 to 8: one digit each
  text += ':';
  text += static_cast<char>('1' + k);
  text += "  >";
  AppendName(text, kSampleTypeNames, *zone.sampleType, 2);
  if (*zone.sampleType != kSampleTypeMultisample) {
    text.append(21, ' ');
  } else {
    text += "   >";
    AppendNamed(text, kMemoryNames, Code(zone.memory), 2);
  }
  text += "   >#";
  AppendPadded(text, zone.number, 4);
  text += "   >Level=";
  AppendPadded(text, Code(zone.level), 3);
  return text;
}

// "; +D19:0001234C<12>" of a byte shown raw at an unshifted offset.
void AppendRawByte(std::string& out, const ProgramFacts& p, std::int64_t field,
                   std::optional<std::uint8_t> byte) {
  out += "; +" + IntToHex(field, 2) + ":" + IntToHex(p.offset + field, 8) + "<";
  AppendHexByte(out, byte);
  out += ">";
}

void IndexCell(const ProgramCell& c, Cells& cells) {
  std::string text = ZeroPad(c.index, 3);
  if (c.options.offsets) {
    const std::int64_t raw = c.layout.rawRun();
    text += "; offset:" + IntToHex(c.program.offset, 8) + "; +" + IntToHex(raw, 2) + ":" +
            IntToHex(c.program.offset + raw, 8) + "<" + HexText(c.program.rawRun) + "> ";
  }
  cells.push_back(std::move(text));
}

void NameCell(const ProgramCell& c, Cells& cells) { cells.emplace_back(c.program.name); }

std::string ExiOscModeText(const ProgramFacts& p) {
  std::string text;
  if (ExiOn(p, 0)) text = "  EXi1:" + ExiName(p, 0) + "; ";
  if (ExiOn(p, 1)) text += " EXi2:" + ExiName(p, 1);
  AppendRawByte(text, p, program_layout::kLfoByteUnshifted, p.lfoByte);
  AppendNamed(text, kLfoNames, p.lfoByte ? std::optional<int>(*p.lfoByte & 0x0F) : std::nullopt, 1);
  AppendRawByte(text, p, program_layout::kRawByteUnshifted, p.rawByte);
  return text;
}

void OscModeCell(const ProgramCell& c, Cells& cells) {
  std::string text;
  switch (c.bank.engine) {
    case ProgramEngine::Hd1: AppendNamed(text, kOscModeNames, Code(c.program.oscMode), 1); break;
    case ProgramEngine::Exi: text = ExiOscModeText(c.program); break;
    case ProgramEngine::Undefined: text = c.bank.undefinedCode; break;
  }
  cells.push_back(std::move(text));
}

void VoiceModeCell(const ProgramCell& c, Cells& cells) {
  std::string text;
  AppendNamed(text, kVoiceModeNames, Code(c.program.mono), 1);
  text += "; Detune: ";
  AppendPadded(text, Code(c.program.detune), 3);
  cells.push_back(std::move(text));
}

std::string KeyZoneEngineText(const ProgramCell& c) {
  const std::string z1 = KeyZoneText(c.program.oscillators[0]);
  const std::string z2 = KeyZoneText(c.program.oscillators[1]);
  std::string text = "OSC1: " + z1 + "; OSC2: " + z2;
  if (c.bank.engine == ProgramEngine::Hd1) {
    text = " OSC1: " + z1 + "; ";
    if (IsDouble(c.program)) text += " OSC2: " + z2;
  } else if (c.bank.engine == ProgramEngine::Exi) {
    if (ExiOn(c.program, 0)) text = " EXi1:" + z1 + "; ";
    if (ExiOn(c.program, 1)) text += " EXi2:" + z2 + ". ";
  } else {
    text = "BankTypeCode:" + c.bank.firstIdCharacter;
  }
  return text;
}

void KeyZoneCell(const ProgramCell& c, Cells& cells) {
  std::string text = c.options.prefixes ? "KeyZ:" : "";
  text += KeyZoneEngineText(c);
  text += "; Hold:";
  AppendNamed(text, kHoldNames, Code(c.program.hold), 1);
  text += " ";
  AppendNote(text, c.program.holdNoteLow);
  text += "..";
  AppendNote(text, c.program.holdNoteHigh);
  cells.push_back(std::move(text));
}

void OctaveCell(const ProgramCell&, Cells&) {}  // its check box is never ticked

std::string TransposeEngineText(const ProgramCell& c) {
  const ProgramFacts& p = c.program;
  std::string text;
  if (c.bank.engine == ProgramEngine::Hd1) {
    text = " OSC1:";
    AppendSigned(text, p.oscillators[0].transpose);
    if (IsDouble(p)) {
      text += " OSC2:";
      AppendSigned(text, p.oscillators[1].transpose);
    }
  } else if (c.bank.engine == ProgramEngine::Exi && c.layout.oasys) {
    text = "??? undefined for OASYS";
  } else if (c.bank.engine == ProgramEngine::Exi) {
    if (ExiOn(p, 0)) AppendSigned(text += "EXi1: ", p.exi[0].transpose);
    if (ExiOn(p, 1)) AppendSigned(text += "; EXi2: ", p.exi[1].transpose);
  } else {
    text = c.bank.undefinedCode;
  }
  return text;
}

void TransposeCell(const ProgramCell& c, Cells& cells) {
  cells.push_back((c.options.prefixes ? "Tran:" : "") + TransposeEngineText(c));
}

// Zone 0 of OSC1 goes into the program's own row, every other active zone
// into a row of its own. It is the last column, so an EXi program without
// this cell shifts nothing.
void ZonesCell(const ProgramCell& c, Cells& cells) {
  const ZoneFacts& first = c.program.oscillators[0].zones[0];
  if (c.bank.engine == ProgramEngine::Hd1 && ZoneActive(first)) cells.push_back(ZoneText(first, 0, 0));
}

struct ProgramColumnSpec {
  ProgramColumn id;
  std::string_view columnSwitch;  // empty: always shown
  std::string_view caption;
  int width;
  CellFunction cell;
};

constexpr int kBankColumnWidth = 80;
constexpr ProgramColumnSpec kProgramColumns[] = {
    {ProgramColumn::Index, "", "Index", 48, IndexCell},
    {ProgramColumn::Name, "", "P.Name", 70, NameCell},
    {ProgramColumn::OscMode, "POSCMode", "OSC Mode", 55, OscModeCell},
    {ProgramColumn::VoiceMode, "PVoiceMode", "Voice Mode", 58, VoiceModeCell},
    {ProgramColumn::KeyZone, "PKeyZone", "Key Zone", 48, KeyZoneCell},
    {ProgramColumn::Octave, "POctave", "Octave", kDefaultColumnWidth, OctaveCell},
    {ProgramColumn::Transpose, "PTranspose", "Transpose", 54, TransposeCell},
    {ProgramColumn::Zones, "PMsWsDk", "MS / WS / DK", 96, ZonesCell},
};

const ProgramColumnSpec& SpecOf(ProgramColumn id) { return kProgramColumns[static_cast<std::size_t>(id)]; }

ProgramEngine EngineOf(const std::string& firstIdCharacter) {
  if (firstIdCharacter == "P") return ProgramEngine::Hd1;
  if (firstIdCharacter == "M") return ProgramEngine::Exi;
  return ProgramEngine::Undefined;
}

// The name with its trailing blanks and control characters removed.
std::string_view TrimmedName(std::string_view name) {
  auto end = name.size();
  while (end > 0 && static_cast<std::uint8_t>(name[end - 1]) <= 0x20) --end;
  return name.substr(0, end);
}

}  // namespace

ProgramDisplay::ProgramDisplay(Image image, const ProgramLayout& layout, ProgramDisplayOptions options,
                               const ColumnTicked& ticked)
    : image_(image), layout_(layout), options_(std::move(options)) {
  for (const auto& spec : kProgramColumns)
    if (spec.columnSwitch.empty() || ticked(spec.columnSwitch)) shown_.push_back(spec.id);
}

void ProgramDisplay::setGroups(ColumnGroups& groups) const {
  groups.GroupMixer = false;
  groups.groupTrackParameter = false;
  groups.GroupZones = false;
  groups.groupOSCBasic = true;
  groups.groupProgramBasic = true;
}

std::vector<TableColumn> ProgramDisplay::columns() const {
  std::vector<TableColumn> columns{{"Prog Bank", kBankColumnWidth}};
  for (const ProgramColumn id : shown_)
    columns.push_back({std::string(SpecOf(id).caption), SpecOf(id).width});
  return columns;
}

std::int64_t ProgramDisplay::openBank(std::int64_t offset) {
  bank_.header = ReadBankHeader(image_, offset);
  const std::string& id = bank_.header.id;
  bank_.number = TableLookup(kBankCodeToNumberTable, "", bank_.header.typeCodeHex());
  bank_.name = TableLookup(kBankNumberTable, "", bank_.number);
  bank_.engineName = TableLookup(kBankEngineTable, "", id);
  bank_.firstIdCharacter = id.substr(0, id.empty() ? 0 : 1);
  bank_.engine = EngineOf(bank_.firstIdCharacter);
  bank_.undefinedCode = HexText(bank_.firstIdCharacter) + ": undefined BankTypeCode";
  return bank_.header.patchCount;
}

DisplayPatch ProgramDisplay::patch(std::int64_t j) {
  program_ = DecodeProgram(image_, bank_.header.patchOffset(j), layout_);
  return {bank_.name + ZeroPad(j, 3), TrimmedName(program_.name), program_.offset};
}

std::string ProgramDisplay::bankCaption() const {
  if (options_.bankOnce && previousBankNumber_ == bank_.number) return {};
  std::string caption = bank_.name + "; [" + bank_.engineName + "]";
  if (options_.offsets)
    caption += "; " + bank_.number + "; offsetBank:" + IntToHex(bank_.header.offset, 8) + "; " +
               options_.patch + " bytes:" + std::to_string(bank_.header.patchSize);
  return caption;
}

void ProgramDisplay::addRows(std::int64_t j, std::vector<TableRow>& rows) {
  TableRow row;
  row.caption = bankCaption();
  row.cells.reserve(shown_.size());
  const ProgramCell cell{program_, bank_, layout_, options_, j};
  for (const ProgramColumn id : shown_) SpecOf(id).cell(cell, row.cells);
  rows.push_back(std::move(row));
  if (bank_.engine == ProgramEngine::Hd1 &&
      std::find(shown_.begin(), shown_.end(), ProgramColumn::Zones) != shown_.end())
    addZoneRows(rows);
  previousBankNumber_ = bank_.number;
}

// Every active zone but the first of OSC1 (which the program's own row
// holds), and the OSC2 zones of a Double program, each in a row with empty
// cells up to the zone column.
void ProgramDisplay::addZoneRows(std::vector<TableRow>& rows) const {
  const int oscillators = IsDouble(program_) ? 2 : 1;
  for (int osc = 0; osc < oscillators; ++osc)
    for (int k = osc == 0 ? 1 : 0; k < program_layout::kZoneCount; ++k) {
      const ZoneFacts& zone = program_.oscillators[static_cast<std::size_t>(osc)].zones[static_cast<std::size_t>(k)];
      if (!ZoneActive(zone)) continue;
      TableRow row;
      row.cells.reserve(shown_.size());
      row.cells.resize(shown_.size() - 1);
      row.cells.push_back(ZoneText(zone, osc, k));
      rows.push_back(std::move(row));
    }
}

}  // namespace patchlore
