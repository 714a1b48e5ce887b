#include "app/catalogue.hpp"

#include <algorithm>

#include "formats/banks.hpp"
#include "formats/chunks.hpp"
#include "formats/sng.hpp"

namespace patchlore {

WindowPlace CataloguePlacement(int counter, int screenWidth, int screenHeight, int left, int top) {
  if (counter <= 0) return {left, top};
  constexpr int kStep = 16;
  const int columns = std::max(1, (screenWidth - left - 48) / kStep);
  const int rows = std::max(1, (screenHeight - top - 36) / kStep);
  const int placedLeft = left + (counter % columns) * kStep;
  const int placedTop = top - (counter / rows) * kStep + (counter % rows) * kStep;
  // After many windows the rows climb above the screen; a title bar up there
  // could not be reached to move or close the window.
  return {placedLeft, std::max(0, placedTop)};
}

std::vector<TableColumn> DefaultCatalogueColumns() {
  return {{"Object", 80}, {"Index", kDefaultColumnWidth}, {"Name", 100},
          {"Type", kDefaultColumnWidth}, {"Count", kDefaultColumnWidth}};
}

namespace {

void AddRow(Catalogue& catalogue, TableRow row, std::string label, std::int64_t offset) {
  catalogue.offsetBox.push_back(std::move(label) + "=" + Hex8(offset));
  catalogue.list.rows.push_back(std::move(row));
}

std::string CountText(const BankHeader& bank) { return std::to_string(bank.patchCount); }

// The label of a drum kit or wave sequence bank by the first letter of its
// ID; any other letter keeps the label before it.
std::string BankLabelOf(const std::string& id, const std::string& previous) {
  switch (id.empty() ? '\0' : id[0]) {
    case 'P': return "Prog [HD-1]";
    case 'M': return "Prog [EXi]";
    case 'C': return "Combi";
    case 'D': return "Drum Kit";
    case 'W': return "Wave Sequence";
    default: return previous;
  }
}

class BankRows {
 public:
  BankRows(Image image, Catalogue& catalogue, Reporter& reporter)
      : image_(image), catalogue_(catalogue), reporter_(reporter) {}

  void add(std::int64_t chunk, const std::string& id) {
    if (id == "SLS1") addSetList(chunk);
    if (id == "PRG1") addPrograms(chunk);
    if (id == "CMB1") addCombinations(chunk);
    if (id == "DKT1") addKitsOrSequences(chunk, "Drum Kit");
    if (id == "WSQ1") addKitsOrSequences(chunk, "Wave Sequence");
  }

 private:
  void addSetList(std::int64_t sls1) {
    const std::int64_t bank = SetListBankOffset(image_, sls1);
    if (bank < 0) return;
    reporter_.pump();
    // The set list bank keeps its count and size as full 32-bit numbers.
    const BankHeader header = ReadBankHeader(image_, bank);
    AddRow(catalogue_,
           {"SetList Bank",
            {"", "", "Size=$" + HexPad(header.patchSizeField, 2), std::to_string(header.patchCountField)}},
           "SetList Bank", sls1);
  }

  void addPrograms(std::int64_t prg1) {
    int j = 0;
    for (const std::int64_t b : BankRun(image_, prg1, BankRunKind::Programs)) {
      reporter_.pump();
      const BankHeader bank = ReadBankHeader(image_, b);
      const std::string name = ProgBankName(bank.typeCode);
      AddRow(catalogue_, {"Prog Bank", {ZeroPad(++j, 2), name, BankEngine(bank.id), CountText(bank)}},
             "Prog Bank " + name, b);
    }
  }

  void addCombinations(std::int64_t cmb1) {
    int j = 0;
    for (const std::int64_t b : BankRun(image_, cmb1, BankRunKind::Combinations)) {
      reporter_.pump();
      const BankHeader bank = ReadBankHeader(image_, b);
      const std::string name = CombiBankName(bank.typeCode);
      AddRow(catalogue_, {"Combi Bank", {ZeroPad(++j, 2), name, "", CountText(bank)}},
             "Combi Bank " + name, b);
    }
  }

  // The fifth sub-item, the bank offset, is kept in the row but no column
  // shows it.
  void addKitsOrSequences(std::int64_t parent, const std::string& parentLabel) {
    if (label_.empty()) label_ = parentLabel;
    int j = 0;
    for (const std::int64_t b : BankRun(image_, parent, BankRunKind::DrumKitsOrWaveSequences)) {
      reporter_.pump();
      const BankHeader bank = ReadBankHeader(image_, b);
      label_ = BankLabelOf(bank.id, label_);
      const std::string name = CombiBankName(bank.typeCode);
      AddRow(catalogue_,
             {label_ + " Bank", {ZeroPad(++j, 2), name, "", CountText(bank), Hex8(b)}},
             label_ + " Bank " + name, b);
    }
  }

  Image image_;
  Catalogue& catalogue_;
  Reporter& reporter_;
  std::string label_;  // the label of the last drum kit or wave sequence bank
};

}  // namespace

Status AddSongRows(Image image, Catalogue& catalogue, const std::string& fileNameForErrors) {
  auto& columns = catalogue.list.columns;
  columns[2].caption = "Song Name";
  columns[3] = {"Mute tracks", 80};
  columns[4] = {"Play tracks", 80};
  const std::int64_t o = SngPosition(image);
  if (BytesText(image, o, kChunkIdWidth) != "SNG1")
    return Failure{"Format ERROR  : SNG1 missing " + fileNameForErrors};
  // The length word is checked at the chunk the songs are read from; another
  // "SNG1" earlier in the preamble would otherwise refuse a sound file.
  if (!SngLengthMatches(image, o))
    return Failure{"Format ERROR  Invalid length of SNG1_Data:" + fileNameForErrors};
  int k = 0;
  for (const std::int64_t p : SongChunkOffsets(image, o)) {
    const std::string caption = "Song S" + ZeroPad(SongNumber(image, k), 3);
    const TrackCounts tracks = MuteAndPlayCounts(image, p);
    AddRow(catalogue,
           {caption,
            {std::to_string(k + 1), std::string(SongDirectoryName(image, o, k)),
             std::to_string(tracks.muted), std::to_string(tracks.playing)}},
           caption, p);
    ++k;
  }
  return Success();
}

Status AddBankRows(Image image, Catalogue& catalogue, Reporter& reporter) {
  if (BytesText(image, kPcg1Offset, kChunkIdWidth) != "PCG1") return Success();
  if (Status length = CheckPcgLength(image); !length) return length;
  catalogue.list.columns[0].width = 90;
  BankRows rows(image, catalogue, reporter);
  for (ChunkWalker walk(image, kFirstPcgChild); walk.atChunk(); walk.next())
    rows.add(walk.offset(), walk.id());
  return Success();
}

}  // namespace patchlore
