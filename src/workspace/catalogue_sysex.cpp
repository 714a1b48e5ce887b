// The catalogue of a SysEx file: one row per message, computed from the
// image and the message index when the row is shown.
#include "workspace/catalogue.hpp"
#include "formats/sysex_text.hpp"

namespace patchlore {

namespace {

constexpr std::size_t kCaptionBytes = 6;  // the row caption shows the header bytes

enum SysexColumn : std::size_t { kHeader, kNumber, kDescription, kOffset, kLength };

std::string_view AsChars(Image bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

SysexCatalogueRows::SysexCatalogueRows(Image image) : scan_(image) {}

std::string SysexCatalogueRows::caption(std::size_t row) const {
  const Image message = scan_.bytes(static_cast<std::int64_t>(row));
  return "Sysex " + HexText(AsChars(message.first(std::min(message.size(), kCaptionBytes))));
}

std::string SysexCatalogueRows::text(std::size_t row, std::size_t column) const {
  if (row >= count()) return {};
  const auto k = static_cast<std::int64_t>(row);
  switch (column) {
    case kHeader: return caption(row);
    case kNumber: return std::to_string(row + 1);
    case kDescription: return SysexText(scan_.bytes(k));
    case kOffset: return Hex8(scan_.message(k).offset);
    case kLength: return std::to_string(scan_.message(k).length);
    default: return {};
  }
}

std::string SysexCatalogueRows::descriptorLine(std::size_t row) const {
  if (row >= count()) return {};
  return caption(row) + "=" + Hex8(scan_.message(static_cast<std::int64_t>(row)).offset);
}

std::optional<std::int64_t> SysexCatalogueRows::objectOffset(std::size_t row) const {
  if (row >= count()) return std::nullopt;
  return scan_.offset(static_cast<std::int64_t>(row));
}

std::string SysexCatalogueRows::kindWord(std::size_t row) const { return row < count() ? "Sysex" : ""; }

void SetSysexRows(Image image, Catalogue& catalogue) {
  auto& columns = catalogue.list.columns;
  columns[kHeader] = {"Header (hex)", 100};
  columns[kDescription] = {"Manufacture/Model ID", 180};
  columns[kOffset] = {"Offset (hex)", 80};
  columns[kLength] = {"Length", 60};
  catalogue.computed = std::make_shared<const SysexCatalogueRows>(image);
}

std::size_t Catalogue::rowCount() const { return computed ? computed->count() : list.rows.size(); }

std::string Catalogue::text(std::size_t row, std::size_t column) const {
  if (computed) return computed->text(row, column);
  return row < list.rows.size() ? list.text(row, column) : std::string();
}

std::string Catalogue::descriptorLine(std::size_t row) const {
  if (computed) return computed->descriptorLine(row);
  return row < offsetBox.size() ? offsetBox[row] : std::string();
}

std::string Catalogue::kindWord(std::size_t row) const {
  if (computed) return computed->kindWord(row);
  return row < kindWords.size() ? kindWords[row] : std::string();
}

std::optional<std::int64_t> Catalogue::objectOffset(std::size_t row) const {
  if (computed) return computed->objectOffset(row);
  if (row >= objectOffsets.size()) return std::nullopt;
  return objectOffsets[row];
}

}  // namespace patchlore
