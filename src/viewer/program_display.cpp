#include "viewer/program_display.hpp"

#include <algorithm>
#include <charconv>
#include <span>

#include "formats/program_keys.hpp"
#include "viewer/name_tables.hpp"
#include "viewer/text_helpers.hpp"
#include "viewer/viewer_core.hpp"

namespace patchlore {

namespace {

// What every cell of one program reads.
struct ProgramCell {
  const ProgramFacts& program;
  const ProgramBank& bank;
  const ProgramDisplayOptions& options;
  std::int64_t index;
};

using CellFunction = bool (*)(const ProgramCell&, std::string& out);

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

// "OSC1:3  >WS ... >#0005   >Level=007" for an active zone.
void AppendZoneText(std::string& out, const ZoneFacts& zone, int osc, int k) {
  out += "OSC";
  out += static_cast<char>('1' + osc);  // oscillators 1 and 2, zones 1 to 8: one digit each
  out += ':';
  out += static_cast<char>('1' + k);
  out += "  >";
  AppendName(out, kSampleTypeNames, *zone.sampleType, 2);
  constexpr std::size_t kBlanksForNoMemory = 21;  // stand where a multisample names its memory
  if (*zone.sampleType != kSampleTypeMultisample) {
    out.append(kBlanksForNoMemory, ' ');
  } else {
    out += "   >";
    AppendNamed(out, kMemoryNames, Code(zone.memory), 2);
  }
  out += "   >#";
  AppendPadded(out, zone.number, 4);
  out += "   >Level=";
  AppendPadded(out, Code(zone.level), 3);
}

// "; +D19:0001234C<12>" of a byte shown raw at an unshifted offset.
void AppendRawByte(std::string& out, const ProgramFacts& p, std::int64_t field,
                   std::optional<std::uint8_t> byte) {
  out += "; +" + HexPad(field, 2) + ":" + Hex8(p.offset + field) + "<";
  AppendHexByte(out, byte);
  out += ">";
}

// Each cell function writes its text into out; false when the program has
// no cell in that column.
bool IndexCell(const ProgramCell& c, std::string& out) {
  AppendPadded(out, static_cast<int>(c.index), 3);
  if (c.options.offsets) {
    const std::int64_t raw = c.program.rawRunField;
    out += "; offset:" + Hex8(c.program.offset) + "; +" + HexPad(raw, 2) + ":" +
           Hex8(c.program.offset + raw) + "<" + HexText(c.program.rawRun) + "> ";
  }
  return true;
}

bool NameCell(const ProgramCell& c, std::string& out) {
  out = NameText(c.program.name);
  return true;
}

void AppendExiOscMode(std::string& out, const ProgramFacts& p) {
  if (ExiOn(p, 0)) out += "  EXi1:" + ExiName(p, 0) + "; ";
  if (ExiOn(p, 1)) out += " EXi2:" + ExiName(p, 1);
  AppendRawByte(out, p, p.lfoByteField, p.lfoByte);
  AppendNamed(out, kLfoNames, p.lfoByte ? std::optional<int>(*p.lfoByte & 0x0F) : std::nullopt, 1);
  AppendRawByte(out, p, p.rawByteField, p.rawByte);
}

bool OscModeCell(const ProgramCell& c, std::string& out) {
  switch (c.bank.engine) {
    case ProgramEngine::Hd1: AppendNamed(out, kOscModeNames, Code(c.program.oscMode), 1); break;
    case ProgramEngine::Exi: AppendExiOscMode(out, c.program); break;
    case ProgramEngine::Undefined: out += c.bank.undefinedCode; break;
  }
  return true;
}

bool VoiceModeCell(const ProgramCell& c, std::string& out) {
  AppendNamed(out, kVoiceModeNames, Code(c.program.mono), 1);
  out += "; Detune: ";
  AppendPadded(out, Code(c.program.detune), 3);
  return true;
}

void AppendKeyZoneOfEngine(std::string& out, const ProgramCell& c) {
  const std::string z1 = KeyZoneText(c.program.oscillators[0]);
  const std::string z2 = KeyZoneText(c.program.oscillators[1]);
  if (c.bank.engine == ProgramEngine::Hd1) {
    out += " OSC1: " + z1 + "; ";
    if (IsDouble(c.program)) out += " OSC2: " + z2;
  } else if (c.bank.engine == ProgramEngine::Exi) {
    // Without EXi1 the text starts as the one of both oscillators.
    if (ExiOn(c.program, 0))
      out += " EXi1:" + z1 + "; ";
    else
      out += "OSC1: " + z1 + "; OSC2: " + z2;
    if (ExiOn(c.program, 1)) out += " EXi2:" + z2 + ". ";
  } else {
    out += "BankTypeCode:" + c.bank.firstIdCharacter;
  }
}

bool KeyZoneCell(const ProgramCell& c, std::string& out) {
  if (c.options.prefixes) out += "KeyZ:";
  AppendKeyZoneOfEngine(out, c);
  out += "; Hold:";
  AppendNamed(out, kHoldNames, Code(c.program.hold), 1);
  out += " ";
  AppendNote(out, c.program.holdNoteLow);
  out += "..";
  AppendNote(out, c.program.holdNoteHigh);
  return true;
}

bool OctaveCell(const ProgramCell&, std::string&) { return false; }  // its check box is never ticked

void AppendTransposeOfEngine(std::string& out, const ProgramCell& c) {
  const ProgramFacts& p = c.program;
  if (c.bank.engine == ProgramEngine::Hd1) {
    out += " OSC1:";
    AppendSigned(out, p.oscillators[0].transpose);
    if (IsDouble(p)) {
      out += " OSC2:";
      AppendSigned(out, p.oscillators[1].transpose);
    }
  } else if (c.bank.engine == ProgramEngine::Exi && !p.exiTransposesKnown) {
    out += "??? undefined for OASYS";
  } else if (c.bank.engine == ProgramEngine::Exi) {
    if (ExiOn(p, 0)) AppendSigned(out += "EXi1: ", p.exi[0].transpose);
    if (ExiOn(p, 1)) AppendSigned(out += "; EXi2: ", p.exi[1].transpose);
  } else {
    out += c.bank.undefinedCode;
  }
}

bool TransposeCell(const ProgramCell& c, std::string& out) {
  if (c.options.prefixes) out += "Tran:";
  AppendTransposeOfEngine(out, c);
  return true;
}

// Zone 0 of OSC1 goes into the program's own row, every other active zone
// into a row of its own. It is the last column, so an EXi program without
// this cell shifts nothing.
bool ZonesCell(const ProgramCell& c, std::string& out) {
  const ZoneFacts& first = c.program.oscillators[0].zones[0];
  if (c.bank.engine != ProgramEngine::Hd1 || !ZoneActive(first)) return false;
  AppendZoneText(out, first, 0, 0);
  return true;
}

struct ProgramColumnEntry {
  ProgramColumn id;
  std::string_view columnSwitch;  // empty: always shown
  std::string_view caption;
  int width;
  CellFunction cell;
};

constexpr int kBankColumnWidth = 80;
constexpr ProgramColumnEntry kProgramColumns[] = {
    {ProgramColumn::Index, "", "Index", 48, IndexCell},
    {ProgramColumn::Name, "", "P.Name", 70, NameCell},
    {ProgramColumn::OscMode, "POSCMode", "OSC Mode", 55, OscModeCell},
    {ProgramColumn::VoiceMode, "PVoiceMode", "Voice Mode", 58, VoiceModeCell},
    {ProgramColumn::KeyZone, "PKeyZone", "Key Zone", 48, KeyZoneCell},
    {ProgramColumn::Octave, "POctave", "Octave", kDefaultColumnWidth, OctaveCell},
    {ProgramColumn::Transpose, "PTranspose", "Transpose", 54, TransposeCell},
    {ProgramColumn::Zones, "PMsWsDk", "MS / WS / DK", 96, ZonesCell},
};

const ProgramColumnEntry& EntryOf(ProgramColumn id) { return kProgramColumns[static_cast<std::size_t>(id)]; }

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
  for (const auto& entry : kProgramColumns)
    if (entry.columnSwitch.empty() || ticked(entry.columnSwitch)) shown_.push_back(entry.id);
}

void ProgramDisplay::setGroups(ColumnGroups& groups) const {
  groups.mixer = false;
  groups.trackParameter = false;
  groups.zones = false;
  groups.oscBasic = true;
  groups.programBasic = true;
}

std::vector<TableColumn> ProgramDisplay::columns() const {
  std::vector<TableColumn> columns{{"Prog Bank", kBankColumnWidth}};
  for (const ProgramColumn id : shown_)
    columns.push_back({std::string(EntryOf(id).caption), EntryOf(id).width});
  return columns;
}

std::int64_t ProgramDisplay::openBank(std::int64_t offset) {
  bank_.header = ReadBankHeader(image_, offset);
  const std::string& id = bank_.header.id;
  bank_.number = BankNumberOfCode(bank_.header.typeCodeHex());
  bank_.name = ProgramBankKeyName(bank_.header);
  bank_.engineName = BankEngine(id);
  bank_.firstIdCharacter = id.substr(0, id.empty() ? 0 : 1);
  bank_.engine = EngineOf(bank_.firstIdCharacter);
  bank_.undefinedCode = HexText(bank_.firstIdCharacter) + ": undefined BankTypeCode";
  return bank_.header.patchCount;
}

DisplayPatch ProgramDisplay::patch(std::int64_t j) {
  program_ = DecodeProgram(image_, bank_.header.patchOffset(j), layout_);
  return {PatchKey(bank_.name, j), TrimmedName(program_.name), program_.offset};
}

void ProgramDisplay::writeBankCaption(std::string& out) const {
  if (options_.bankOnce && previousBankNumber_ == bank_.number) return;
  out += bank_.name + "; [" + bank_.engineName + "]";
  if (options_.offsets)
    out += "; " + bank_.number + "; offsetBank:" + Hex8(bank_.header.offset) + "; " + options_.patch +
           " bytes:" + std::to_string(bank_.header.patchSize);
}

void ProgramDisplay::addRows(std::int64_t j, RowWriter& rows) {
  TableRow& row = rows.add();
  writeBankCaption(row.caption);
  const ProgramCell cell{program_, bank_, options_, j};
  {
    CellWriter cells(row.cells, shown_.size());
    for (const ProgramColumn id : shown_)
      if (!EntryOf(id).cell(cell, cells.next())) cells.drop();
  }
  if (bank_.engine == ProgramEngine::Hd1 &&
      std::find(shown_.begin(), shown_.end(), ProgramColumn::Zones) != shown_.end())
    addZoneRows(rows);
  previousBankNumber_ = bank_.number;
}

// Every active zone but the first of OSC1 (which the program's own row
// holds), and the OSC2 zones of a Double program, each in a row with empty
// cells up to the zone column.
void ProgramDisplay::addZoneRows(RowWriter& rows) const {
  const int oscillators = IsDouble(program_) ? 2 : 1;
  for (int osc = 0; osc < oscillators; ++osc)
    for (std::size_t k = osc == 0 ? 1 : 0; k < program_.oscillators[0].zones.size(); ++k) {
      const auto& zone = program_.oscillators[static_cast<std::size_t>(osc)].zones[k];
      if (!ZoneActive(zone)) continue;
      CellWriter cells(rows.add().cells, shown_.size());
      for (std::size_t c = 1; c < shown_.size(); ++c) cells.next();
      AppendZoneText(cells.next(), zone, osc, static_cast<int>(k));
    }
}

}  // namespace patchlore
