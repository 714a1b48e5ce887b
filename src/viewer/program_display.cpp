// The program display: one row per program of the program banks named by the
// viewer's descriptor lines, with the program's oscillator parameters.
#include <array>
#include <optional>

#include "formats/banks.hpp"
#include "viewer/text_helpers.hpp"
#include "viewer/viewer_core.hpp"

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

// What one bank's programs share, read once per bank.
struct BankFacts {
  Engine engine = Engine::Undefined;
  std::string firstIdCharacter;  // of the bank's chunk ID
  std::string undefinedCode;     // the text of a bank of neither engine
  std::int64_t exi1Offset = 0;
};

// The cell texts of one program. Offset texts appear only when checkOffset
// is ticked, prefixes only when SW3 is.
class ProgramCells {
 public:
  ProgramCells(const ProgramRecord& record, const BankFacts& bank, const ShowContext& context,
               bool offsets, bool prefixes)
      : record_(record), bank_(bank), context_(context), offsets_(offsets), prefixes_(prefixes),
        s_(context.modelConstants.oasysShift),
        oscMode_(Lookup(kOscModeTable, record.lowHexDigit(2558 + s_))),
        exi1_(ExiTable()(record, bank.exi1Offset)),
        exi2_(ExiTable()(record, bank.exi1Offset + context.modelConstants.exi2Delta)) {}

  std::string index(std::int64_t j) const {
    std::string text = ZeroPad(j, 3);
    if (offsets_)
      text += "; offset:" + IntToHex(record_.start(), 8) + "; +" + IntToHex(2560 + s_, 2) + ":" +
              IntToHex(record_.start() + 2560 + s_, 8) + "<" + HexText(record_.bytes(2560 + s_, 8)) + "> ";
    return text;
  }

  std::string oscMode() const {
    if (bank_.engine == Engine::Hd1) return oscMode_;
    if (bank_.engine != Engine::Exi) return bank_.undefinedCode;
    std::string text;
    if (exi1On()) text = "  EXi1:" + exi1_ + "; ";
    if (exi2On()) text += " EXi2:" + exi2_;
    return text + "; +" + IntToHex(3353, 2) + ":" + IntToHex(record_.start() + 3353, 8) + "<" +
           record_.hex(3353) + ">" + Lookup(kLfoTable, record_.lowHexDigit(3353)) + "; +" +
           IntToHex(3354, 2) + ":" + IntToHex(record_.start() + 3354, 8) + "<" + record_.hex(3354) + ">";
  }

  std::string voiceMode() const {
    return Lookup(kVoiceModeTable, record_.bit(2558, 7)) + "; Detune: " + record_.zeroPad(2561 + s_, 3);
  }

  std::string keyZone() const {
    const std::string z1 = record_.note(2684 + s_) + ".." + record_.note(2685 + s_);
    const std::string z2 = record_.note(2686 + s_) + ".." + record_.note(2687 + s_);
    std::string text = "OSC1: " + z1 + "; OSC2: " + z2;
    if (bank_.engine == Engine::Hd1) {
      text = " OSC1: " + z1 + "; ";
      if (IsDouble(oscMode_)) text += " OSC2: " + z2;
    } else if (bank_.engine == Engine::Exi) {
      if (exi1On()) text = " EXi1:" + z1 + "; ";
      if (exi2On()) text += " EXi2:" + z2 + ". ";
    } else {
      text = "BankTypeCode:" + bank_.firstIdCharacter;
    }
    return (prefixes_ ? "KeyZ:" : "") + text + "; Hold:" + Lookup(kHoldTable, record_.bit(2558 + s_, 6)) +
           " " + record_.note(2563 + s_) + ".." + record_.note(2564 + s_);
  }

  std::string transpose() const {
    const VersionConstants& version = context_.versionConstants;
    const std::int64_t osc1Transpose = 2837 + s_ + 8 * version.zoneSize;
    std::string text;
    if (bank_.engine == Engine::Hd1) {
      text = " OSC1:" + record_.signedByte(osc1Transpose);
      if (IsDouble(oscMode_)) text += " OSC2:" + record_.signedByte(osc1Transpose + version.osc2Delta);
    } else if (bank_.engine == Engine::Exi && context_.model == "OASYS") {
      text = "??? undefined for OASYS";
    } else if (bank_.engine == Engine::Exi) {
      if (exi1On()) text = "EXi1: " + record_.signedByte(2858);
      if (exi2On()) text += "; EXi2: " + record_.signedByte(2858 + context_.modelConstants.exi2Delta);
    } else {
      text = bank_.undefinedCode;
    }
    return (prefixes_ ? "Tran:" : "") + text;
  }

  // The active sample zones of an HD-1 program, OSC1 then (for Double
  // modes) OSC2; zone 0 of OSC1, when active, comes first.
  std::vector<std::string> zones(bool& firstIsOwnRow) const {
    const VersionConstants& version = context_.versionConstants;
    const std::int64_t firstZone = 2774 + s_;
    firstIsOwnRow = record_.byte(firstZone) && SampleTypeTable()(record_, firstZone) != "Off";
    std::vector<std::string> texts = ZoneTexts(record_, firstZone, 1, version);
    if (IsDouble(oscMode_)) {
      const auto osc2 = ZoneTexts(record_, firstZone + version.osc2Delta, 2, version);
      texts.insert(texts.end(), osc2.begin(), osc2.end());
    }
    return texts;
  }

 private:
  bool exi1On() const { return exi1_ != "OFF"; }
  bool exi2On() const { return exi2_ != "OFF"; }

  const ProgramRecord& record_;
  const BankFacts& bank_;
  const ShowContext& context_;
  bool offsets_;
  bool prefixes_;
  int s_;
  std::string oscMode_;
  std::string exi1_;
  std::string exi2_;
};

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
  std::optional<std::string> previousBankNumber;  // for the "SW2" rule

  for (std::size_t b = 0; b < state_.offsetBox.size(); ++b) {
    const std::int64_t bankOffset = HexValue(state_.offsetBox[b], 8);
    const BankHeader bank = ReadBankHeader(image, bankOffset);
    const std::string bankNumber = TableLookup(kBankCodeToNumberTable, "", bank.typeCodeHex());
    const std::string bankName = TableLookup(kBankNumberTable, "", bankNumber);
    const std::string engineName = TableLookup(kBankEngineTable, "", bank.id);

    BankFacts facts;
    facts.firstIdCharacter = bank.id.substr(0, bank.id.empty() ? 0 : 1);
    if (facts.firstIdCharacter == "P") facts.engine = Engine::Hd1;
    if (facts.firstIdCharacter == "M") facts.engine = Engine::Exi;
    facts.undefinedCode = HexText(facts.firstIdCharacter) + ": undefined BankTypeCode";
    facts.exi1Offset = 2857 + context.modelConstants.oasysShift - (context.model == "OASYS" ? 34 : 0);

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
        const ProgramCells cells(record, facts, context, state_.checkOffset.checked, state_.sw3.checked);

        TableRow row;
        if (!(state_.sw2.checked && previousBankNumber == bankNumber)) {
          row.caption = bankName + "; [" + engineName + "]";
          if (state_.checkOffset.checked)
            row.caption += "; " + bankNumber + "; offsetBank:" + IntToHex(bankOffset, 8) + "; " +
                           context.patch + " bytes:" + std::to_string(bank.patchSize);
        }
        std::vector<std::string> zoneRows;
        for (std::size_t c = 1; c < shownSwitches.size(); ++c) {
          const std::string& column = shownSwitches[c];
          const std::string& columnName = state_.table.columns[c].caption;
          if (columnName == "Index") {
            row.cells.push_back(cells.index(j));
          } else if (columnName == "P.Name") {
            row.cells.push_back(name);
          } else if (column == "POSCMode") {
            row.cells.push_back(cells.oscMode());
          } else if (column == "PVoiceMode") {
            row.cells.push_back(cells.voiceMode());
          } else if (column == "PKeyZone") {
            row.cells.push_back(cells.keyZone());
          } else if (column == "PTranspose") {
            row.cells.push_back(cells.transpose());
          } else if (column == "PMsWsDk" && facts.engine == Engine::Hd1) {
            // Zone 0 of OSC1 goes into the program's own row, every other
            // active zone into a row of its own. It is the last column, so
            // an EXi program without this cell shifts nothing.
            bool firstIsOwnRow = false;
            zoneRows = cells.zones(firstIsOwnRow);
            if (firstIsOwnRow) {
              row.cells.push_back(zoneRows.front());
              zoneRows.erase(zoneRows.begin());
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
