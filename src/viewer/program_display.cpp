// The program display: one row per program of the program banks named by the
// viewer's descriptor lines, with the program's oscillator parameters.
#include <array>
#include <optional>

#include "formats/banks.hpp"
#include "viewer/text_helpers.hpp"
#include "viewer/viewer.hpp"

namespace patchlore {

namespace {

constexpr std::string_view kOscModeTable =
    "; 0=Single; 1=Double; 2=Drums; 3=3; 4=4; 5=Double Drums; ";
constexpr std::string_view kVoiceModeTable = "; 1=Mono; 0=Poly; ";
constexpr std::string_view kHoldTable = "; 0=Off; 1=On; ";
constexpr std::string_view kExiTable =
    "; 00=OFF;  +00=OFF; -00=OFF;   02=AL-1;  03=CX-3;    04=STR-1;   05=MS-20; 06=Polysix; "
    "07=MOD-7;   08=SGX-1; 09=EP-1; ";
constexpr std::string_view kLfoTable = "; 1=LFO1; 2=LFO2; 3=LFO3; 4=LFO4; C=CommonLFO; ";
constexpr std::string_view kSampleTypeTable =
    "; 00=Off; 01=MS; Multisample; 02=WS; Wave Sequence; ";
constexpr std::string_view kMemoryTable =
    "; 00=ROM mono; 01=ROM stereo;   02=RAM mono; 03=RAM stereo;   04=EXs1 mono; 05=EXs1 stereo;   "
    "06=EXs3 mono; 07=EXs3 stereo;   08=EXs4 mono;   09=EXs5 mono; 0A=EXs5 stereo;   "
    "0B=EXs6 mono; 0C=EXs6 stereo;   0D=EXs7 mono; 0E=EXs7 stereo; ";

enum class Engine { Hd1, Exi, Undefined };

// The bytes of one program record as the display reads them. A byte that
// lies outside the image has no value, and every text built from it is
// empty, so a truncated record shows shorter texts.
class ProgramRecord {
 public:
  ProgramRecord(Image image, std::int64_t start) : image_(image), start_(start) {}

  std::int64_t start() const { return start_; }
  std::optional<int> byte(std::int64_t offset) const {
    const std::int64_t at = start_ + offset;
    if (at < 0 || at >= static_cast<std::int64_t>(image_.size())) return std::nullopt;
    return image_[static_cast<std::size_t>(at)];
  }
  std::string bytes(std::int64_t offset, std::int64_t count) const {
    return BytesText(image_, start_ + offset, count);
  }
  std::string hex(std::int64_t offset) const { return HexText(bytes(offset, 1)); }
  std::string lowHexDigit(std::int64_t offset) const {
    const auto b = byte(offset);
    return b ? IntToHex(*b & 0x0F, 1) : std::string();
  }
  std::string bit(std::int64_t offset, int bitNumber) const {
    const auto b = byte(offset);
    return b ? std::string(1, (*b >> bitNumber) & 1 ? '1' : '0') : std::string();
  }
  std::string note(std::int64_t offset) const {
    const auto b = byte(offset);
    return b ? NoteName(*b) : std::string();
  }
  std::string zeroPad(std::int64_t offset, int width) const {
    const auto b = byte(offset);
    return b ? ZeroPad(*b, width) : std::string();
  }
  std::string signedByte(std::int64_t offset) const {
    const auto b = byte(offset);
    return b ? SignedZeroPad(static_cast<std::int8_t>(*b), 2) : std::string();
  }

 private:
  Image image_;
  std::int64_t start_;
};

// A table entry; a byte outside the image has no key and gives an empty text.
std::string Lookup(std::string_view table, const std::string& key) {
  return key.empty() ? std::string() : TableLookup(table, "", key);
}

// A table keyed by the two hex digits of one byte, looked up once for every
// byte value: the display looks up several bytes of every program.
class ByteKeyedTable {
 public:
  explicit ByteKeyedTable(std::string_view table) {
    for (int v = 0; v < 256; ++v) entries_[static_cast<std::size_t>(v)] = TableLookup(table, "", HexPad(v, 2));
  }
  // The entry of the byte at offset; empty when it lies outside the image.
  std::string operator()(const ProgramRecord& record, std::int64_t offset) const {
    const auto b = record.byte(offset);
    return b ? entries_[static_cast<std::size_t>(*b)] : std::string();
  }

 private:
  std::array<std::string, 256> entries_;
};

const ByteKeyedTable& ExiTable() {
  static const ByteKeyedTable table(kExiTable);
  return table;
}
const ByteKeyedTable& SampleTypeTable() {
  static const ByteKeyedTable table(kSampleTypeTable);
  return table;
}
const ByteKeyedTable& MemoryTable() {
  static const ByteKeyedTable table(kMemoryTable);
  return table;
}

bool IsDouble(const std::string& oscMode) { return oscMode == "Double" || oscMode == "Double Drums"; }

// The texts of the program that several cells share.
struct ProgramFacts {
  Engine engine = Engine::Undefined;
  std::string firstIdCharacter;  // of the bank's chunk ID
  std::string oscMode;
  std::string exi1;
  std::string exi2;
};

// The texts of the zones of one oscillator, each active zone one text.
std::vector<std::string> ZoneTexts(const ProgramRecord& record, std::int64_t firstZone, int osc,
                                   const VersionConstants& version) {
  std::vector<std::string> texts;
  for (int k = 0; k < 8; ++k) {
    const std::int64_t typeOffset = firstZone + k * version.zoneSize;
    if (!record.byte(typeOffset)) continue;  // outside the image: nothing to show
    const std::string type = SampleTypeTable()(record, typeOffset);
    if (type == "Off") continue;
    const std::int64_t data = typeOffset + version.zoneDataShift;
    const std::string memory =
        type != "MS" ? std::string(21, ' ') : "   >" + MemoryTable()(record, data + 1);
    const auto low = record.byte(data + 2);
    const auto high = record.byte(data + 3);
    const std::string number = low && high ? ZeroPad(*low + 256 * *high, 4) : std::string();
    texts.push_back("OSC" + std::to_string(osc) + ":" + std::to_string(k + 1) + "  >" + type + memory +
                    "   >#" + number + "   >Level=" + record.zeroPad(data + 4, 3));
  }
  return texts;
}

}  // namespace

void ViewerCore::showPrograms(const ShowContext& context) {
  state_.columnGroups.GroupMixer = false;
  state_.columnGroups.groupTrackParameter = false;
  state_.columnGroups.GroupZones = false;
  state_.columnGroups.groupOSCBasic = true;
  state_.columnGroups.groupProgramBasic = true;
  tell(ViewerPart::Groups);
  copyColumns(ProgTemplate());
  std::vector<std::string> shownSwitches;  // the switch of each shown column, in order
  for (const auto& column : ProgTemplate())
    if (column.columnSwitch.empty() || columnChecked(column.columnSwitch))
      shownSwitches.push_back(column.columnSwitch);

  const std::string startTime = "Time: " + clock_();
  const Image image = context.image;
  const int s = context.modelConstants.oasysShift;
  const int exi2Delta = context.modelConstants.exi2Delta;
  const VersionConstants& version = context.versionConstants;
  const bool offsets = state_.checkOffset.checked;
  const bool prefixes = state_.sw3.checked;
  std::optional<std::string> previousBankNumber;  // for the "SW2" rule

  for (std::size_t b = 0; b < state_.offsetBox.size(); ++b) {
    const std::int64_t bankOffset = HexValue(state_.offsetBox[b], 8);
    const BankHeader bank = ReadBankHeader(image, bankOffset);
    const std::string codeHex = bank.typeCodeHex();
    const std::string bankNumber = TableLookup(kBankCodeToNumberTable, "", codeHex);
    const std::string bankName = TableLookup(kBankNumberTable, "", bankNumber);
    const std::string engineName = TableLookup(kBankEngineTable, "", bank.id);

    ProgramFacts facts;
    facts.firstIdCharacter = bank.id.substr(0, bank.id.empty() ? 0 : 1);
    if (facts.firstIdCharacter == "P") facts.engine = Engine::Hd1;
    if (facts.firstIdCharacter == "M") facts.engine = Engine::Exi;
    const std::string undefinedCode = HexText(facts.firstIdCharacter) + ": undefined BankTypeCode";
    const std::int64_t exi1Offset = 2857 + s - (context.model == "OASYS" ? 34 : 0);

    for (std::int64_t j = 0; j < bank.patchCount; ++j) {
      reporter_.pump();
      if (shared_.cancelRequested || reporter_.cancelRequested()) return;

      const std::string key = bankName + ZeroPad(j, 3);
      const std::size_t known = filters_.boxExist().size();
      filters_.addExistOnce(key + "=");
      if (filters_.boxExist().size() != known) tell(ViewerPart::Filters);

      const ProgramRecord record(image, bank.patchOffset(j));
      const std::string name = record.bytes(0, 24);
      if (filters_.keepKey(FilterView::Program, key) &&
          filters_.keepName(FilterView::Program, TrimRight(name))) {
        state_.offsetLines.push_back(key + "=" + IntToHex(record.start(), 8));

        facts.oscMode = Lookup(kOscModeTable, record.lowHexDigit(2558 + s));
        facts.exi1 = ExiTable()(record, exi1Offset);
        facts.exi2 = ExiTable()(record, exi1Offset + exi2Delta);
        const bool exi1On = facts.exi1 != "OFF";
        const bool exi2On = facts.exi2 != "OFF";

        TableRow row;
        if (!(state_.sw2.checked && previousBankNumber == bankNumber)) {
          row.caption = bankName + "; [" + engineName + "]";
          if (offsets)
            row.caption += "; " + bankNumber + "; offsetBank:" + IntToHex(bankOffset, 8) + "; " +
                           context.patch + " bytes:" + std::to_string(bank.patchSize);
        }
        std::vector<std::string> zoneRows;
        for (std::size_t c = 1; c < shownSwitches.size(); ++c) {
          const std::string& column = shownSwitches[c];
          const std::string& columnName = state_.table.columns[c].caption;
          if (columnName == "Index") {
            std::string text = ZeroPad(j, 3);
            if (offsets)
              text += "; offset:" + IntToHex(record.start(), 8) + "; +" + IntToHex(2560 + s, 2) + ":" +
                      IntToHex(record.start() + 2560 + s, 8) + "<" + HexText(record.bytes(2560 + s, 8)) +
                      "> ";
            row.cells.push_back(text);
          } else if (columnName == "P.Name") {
            row.cells.push_back(name);
          } else if (column == "POSCMode") {
            std::string text;
            if (facts.engine == Engine::Hd1) {
              text = facts.oscMode;
            } else if (facts.engine == Engine::Exi) {
              if (exi1On) text = "  EXi1:" + facts.exi1 + "; ";
              if (exi2On) text += " EXi2:" + facts.exi2;
              text += "; +" + IntToHex(3353, 2) + ":" + IntToHex(record.start() + 3353, 8) + "<" +
                      record.hex(3353) + ">" + Lookup(kLfoTable, record.lowHexDigit(3353)) + "; +" +
                      IntToHex(3354, 2) + ":" + IntToHex(record.start() + 3354, 8) + "<" +
                      record.hex(3354) + ">";
            } else {
              text = undefinedCode;
            }
            row.cells.push_back(text);
          } else if (column == "PVoiceMode") {
            row.cells.push_back(Lookup(kVoiceModeTable, record.bit(2558, 7)) + "; Detune: " +
                                record.zeroPad(2561 + s, 3));
          } else if (column == "PKeyZone") {
            const std::string z1 = record.note(2684 + s) + ".." + record.note(2685 + s);
            const std::string z2 = record.note(2686 + s) + ".." + record.note(2687 + s);
            std::string text = "OSC1: " + z1 + "; OSC2: " + z2;
            if (facts.engine == Engine::Hd1) {
              text = " OSC1: " + z1 + "; ";
              if (IsDouble(facts.oscMode)) text += " OSC2: " + z2;
            } else if (facts.engine == Engine::Exi) {
              if (exi1On) text = " EXi1:" + z1 + "; ";
              if (exi2On) text += " EXi2:" + z2 + ". ";
            } else {
              text = "BankTypeCode:" + facts.firstIdCharacter;
            }
            row.cells.push_back((prefixes ? "KeyZ:" : "") + text + "; Hold:" +
                                Lookup(kHoldTable, record.bit(2558 + s, 6)) + " " +
                                record.note(2563 + s) + ".." + record.note(2564 + s));
          } else if (column == "PTranspose") {
            const std::int64_t osc1Transpose = 2837 + s + 8 * version.zoneSize;
            std::string text;
            if (facts.engine == Engine::Hd1) {
              text = " OSC1:" + record.signedByte(osc1Transpose);
              if (IsDouble(facts.oscMode))
                text += " OSC2:" + record.signedByte(osc1Transpose + version.osc2Delta);
            } else if (facts.engine == Engine::Exi && context.model == "OASYS") {
              text = "??? undefined for OASYS";
            } else if (facts.engine == Engine::Exi) {
              if (exi1On) text = "EXi1: " + record.signedByte(2858);
              if (exi2On) text += "; EXi2: " + record.signedByte(2858 + exi2Delta);
            } else {
              text = undefinedCode;
            }
            row.cells.push_back((prefixes ? "Tran:" : "") + text);
          } else if (column == "PMsWsDk") {
            if (facts.engine != Engine::Hd1) continue;  // the last column: nothing shifts
            const std::int64_t firstZone = 2774 + s;
            // Zone 0 of OSC1 goes into the program's own row, every other
            // active zone into a row of its own.
            if (record.byte(firstZone) && SampleTypeTable()(record, firstZone) != "Off") {
              auto osc1 = ZoneTexts(record, firstZone, 1, version);
              row.cells.push_back(osc1.front());
              zoneRows.assign(osc1.begin() + 1, osc1.end());
            } else {
              zoneRows = ZoneTexts(record, firstZone, 1, version);
            }
            if (IsDouble(facts.oscMode)) {
              const auto osc2 = ZoneTexts(record, firstZone + version.osc2Delta, 2, version);
              zoneRows.insert(zoneRows.end(), osc2.begin(), osc2.end());
            }
          }
        }
        state_.table.rows.push_back(std::move(row));
        for (auto& text : zoneRows) {
          TableRow zoneRow;
          zoneRow.cells.assign(shownSwitches.size() - 2, std::string());
          zoneRow.cells.push_back(std::move(text));
          state_.table.rows.push_back(std::move(zoneRow));
        }
        tell(ViewerPart::Table);
        previousBankNumber = bankNumber;
      }
      setMsg(context.patch + " Banks:" + std::to_string(b + 1) + "; Lines:" +
             std::to_string(state_.table.rows.size()));
      setInfo("Processing..." + context.patch + " " + key);
    }
  }
  setMsg(state_.msg + "; " + startTime + " - " + clock_());
}

}  // namespace patchlore
