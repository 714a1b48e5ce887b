#include "viewer/table_export.hpp"

#include "common/file_io.hpp"
#include "common/bytes.hpp"
#include "viewer/script_export.hpp"
#include "viewer/text_helpers.hpp"

namespace patchlore {

SeparatorChoice SeparatorAt(int position) {
  static constexpr char kCharacters[] = {';', ':', ',', '.', ' '};
  const char c = position >= 0 && position <= 4 ? kCharacters[position] : '\t';
  const std::string_view character(&c, 1);
  return {Concat({character, " "}), Concat({"ASCII ( $", ZeroPad(static_cast<unsigned char>(c), 2), " )"}),
          Concat({"'", character, "'"})};
}

std::vector<std::string> CvsLines(const Table& table, const std::string& separator) {
  std::vector<std::string> lines;
  lines.reserve(table.rows.size() + 2);
  lines.push_back("Sep=" + separator);
  std::string header;
  for (const auto& column : table.columns) header += column.caption + separator;
  lines.push_back(std::move(header));
  const std::size_t columns = table.columns.size();
  for (const auto& row : table.rows) {
    std::string line = row.caption + separator;
    for (std::size_t c = 1; c < columns; ++c) {
      if (c - 1 < row.cells.size()) line += row.cells[c - 1];
      line += separator;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string ProposedCvsName(const std::string& fileName, const std::string& msg) {
  return fileName + "." + CharTranslate(":;", "_", msg) + ".CVS";
}

std::string ExportInfoText(const Table& table, const std::string& separator) {
  return "ListView1.Columns.Count=" + std::to_string(table.columns.size()) + "; " +
         "ListView1.Items.Count=" + std::to_string(table.rows.size()) + "; " + "; Sep='" +
         separator + "'";
}

std::string WithCvsExtension(const std::string& path) { return ChangeFileExt(path, ".CVS"); }

Status WriteTableAsCvs(const std::string& path, const Table& table,
                       const std::string& separator) {
  return WriteTextLines(path, CvsLines(table, separator));
}

std::string WithCsvExtension(const std::string& path) { return ChangeFileExt(path, ".csv"); }

std::string WithPdfExtension(const std::string& path) { return ChangeFileExt(path, ".pdf"); }

Status WriteTableAsCsv(const std::string& path, const Table& table) {
  std::vector<std::string> records = CsvRecords(table);
  records.front().insert(0, "\xEF\xBB\xBF");
  return WriteTextLines(path, records);
}

std::string SavedInfoText(const std::string& infoBefore, const std::string& path) {
  return infoBefore.empty() ? "Saved as " + path : infoBefore + "; saved as " + path;
}

}  // namespace patchlore
