#include "workspace/catalogue.hpp"

#include <algorithm>

#include "workspace/pcg_banks.hpp"
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

std::optional<std::size_t> Catalogue::rowOfObject(std::int64_t offset) const {
  const auto found = std::find(objectOffsets.begin(), objectOffsets.end(), offset);
  if (found == objectOffsets.end()) return std::nullopt;
  return static_cast<std::size_t>(found - objectOffsets.begin());
}

std::vector<TableColumn> DefaultCatalogueColumns() {
  return {{"Object", 80}, {"Index", kDefaultColumnWidth}, {"Name", 100},
          {"Type", kDefaultColumnWidth}, {"Count", kDefaultColumnWidth}};
}

namespace {

// A row, its descriptor line (label "=" offset), its object and its kind word.
void AddRow(Catalogue& catalogue, TableRow row, std::string label, std::int64_t offset, std::string kindWord) {
  catalogue.offsetBox.push_back(std::move(label) + "=" + Hex8(offset));
  catalogue.objectOffsets.push_back(offset);
  catalogue.kindWords.push_back(std::move(kindWord));
  catalogue.list.rows.push_back(std::move(row));
}

// The kind word of a bank's row by what its patches are.
std::string KindWordOf(BankContent content) {
  switch (content) {
    case BankContent::SetLists: return "SetList";
    case BankContent::Programs: return "Prog";
    case BankContent::Combinations: return "Combi";
    case BankContent::DrumKits: return "Drum";
    case BankContent::WaveSequences: return "Wave";
  }
  return {};
}

std::string CountText(const BankHeader& bank) { return std::to_string(bank.patchCount); }

// One row per bank, as the bank walk finds them.
class BankRows {
 public:
  BankRows(Image image, Catalogue& catalogue, Reporter& reporter)
      : image_(image), catalogue_(catalogue), reporter_(reporter) {}

  void add(const PcgBank& bank) {
    reporter_.pump();
    switch (bank.run) {
      case PcgBankRun::SetLists: return addSetList(bank.offset);
      case PcgBankRun::Programs: return addProgram(bank.offset, bank.numberInRun + 1);
      case PcgBankRun::Combinations: return addCombination(bank.offset, bank.numberInRun + 1);
      case PcgBankRun::KitsOrSequences: return addKitOrSequence(bank, bank.numberInRun + 1);
    }
  }

 private:
  void addSetList(std::int64_t sls1) {
    // The set list bank keeps its count and size as full 32-bit numbers.
    const BankHeader header = ReadBankHeader(image_, SetListBankOffset(image_, sls1));
    AddRow(catalogue_,
           {"SetList Bank",
            {"", "", "Size=$" + HexPad(header.patchSizeField, 2), std::to_string(header.patchCountField)}},
           "SetList Bank", sls1, KindWordOf(BankContent::SetLists));
  }

  void addProgram(std::int64_t b, int number) {
    const BankHeader bank = ReadBankHeader(image_, b);
    const std::string name = ProgBankName(bank.typeCode);
    AddRow(catalogue_, {"Prog Bank", {ZeroPad(number, 2), name, BankEngine(bank.id), CountText(bank)}},
           "Prog Bank " + name, b, KindWordOf(BankContent::Programs));
  }

  void addCombination(std::int64_t b, int number) {
    const BankHeader bank = ReadBankHeader(image_, b);
    const std::string name = CombiBankName(bank.typeCode);
    AddRow(catalogue_, {"Combi Bank", {ZeroPad(number, 2), name, "", CountText(bank)}},
           "Combi Bank " + name, b, KindWordOf(BankContent::Combinations));
  }

  // The fifth sub-item, the bank offset, is kept in the row but no column
  // shows it.
  void addKitOrSequence(const PcgBank& found, int number) {
    const std::int64_t b = found.offset;
    const BankHeader bank = ReadBankHeader(image_, b);
    const std::string name = CombiBankName(bank.typeCode);
    AddRow(catalogue_, {found.label + " Bank", {ZeroPad(number, 2), name, "", CountText(bank), Hex8(b)}},
           found.label + " Bank " + name, b, KindWordOf(found.content));
  }

  Image image_;
  Catalogue& catalogue_;
  Reporter& reporter_;
};

}  // namespace

Result<std::int64_t> SongsChunk(Image image, const std::string& fileNameForErrors) {
  const std::int64_t o = SngPosition(image);
  if (BytesText(image, o, kChunkIdWidth) != "SNG1")
    return Failure{"Format ERROR  : SNG1 missing " + fileNameForErrors};
  // The length word is checked at the chunk the songs are read from; another
  // "SNG1" earlier in the preamble would otherwise refuse a sound file.
  if (!SngLengthMatches(image, o))
    return Failure{"Format ERROR  Invalid length of SNG1_Data:" + fileNameForErrors};
  return o;
}

Status AddSongRows(Image image, Catalogue& catalogue, const std::string& fileNameForErrors) {
  auto& columns = catalogue.list.columns;
  columns[2].caption = "Song Name";
  columns[3] = {"Mute tracks", 80};
  columns[4] = {"Play tracks", 80};
  const Result<std::int64_t> songs = SongsChunk(image, fileNameForErrors);
  if (!songs) return songs.failure();
  const std::int64_t o = *songs;
  int k = 0;
  for (const std::int64_t p : SongChunkOffsets(image, o)) {
    const std::string caption = "Song S" + ZeroPad(SongNumber(image, k), 3);
    const TrackCounts tracks = MuteAndPlayCounts(image, p);
    AddRow(catalogue,
           {caption,
            {std::to_string(k + 1), NameText(SongDirectoryName(image, o, k)),
             std::to_string(tracks.muted), std::to_string(tracks.playing)}},
           caption, p, "Song");
    ++k;
  }
  return Success();
}

Status AddBankRows(Image image, Catalogue& catalogue, Reporter& reporter) {
  if (BytesText(image, kPcg1Offset, kChunkIdWidth) != "PCG1") return Success();
  if (Status length = CheckPcgLength(image); !length) return length;
  catalogue.list.columns[0].width = 90;
  BankRows rows(image, catalogue, reporter);
  return WalkPcgBanks(image, [&rows](const PcgBank& bank) { rows.add(bank); });
}

}  // namespace patchlore
