#include "viewer/script_export.hpp"

#include "common/bytes.hpp"
#include "common/cp1251.hpp"
#include "common/json_text.hpp"

namespace patchlore {

namespace {

std::string CsvField(const std::string& text) {
  const std::string utf8 = Cp1251ToUtf8(text);
  if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
  std::string quoted = "\"";
  for (const char c : utf8) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string JsonString(const std::string& text) { return JsonQuoted(Cp1251ToUtf8(text)); }

}  // namespace

std::vector<std::string> CsvRecords(const Table& table) {
  std::vector<std::string> records;
  records.reserve(table.rows.size() + 1);
  std::string header;
  for (std::size_t c = 0; c < table.columns.size(); ++c)
    header += Concat({c == 0 ? "" : ",", CsvField(table.columns[c].caption)});
  records.push_back(std::move(header));
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    std::string record;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
      record += Concat({c == 0 ? "" : ",", CsvField(table.text(r, c))});
    records.push_back(std::move(record));
  }
  return records;
}

std::vector<std::string> JsonRows(const Table& table) {
  std::vector<std::string> rows;
  rows.reserve(table.rows.size());
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    std::string object = "{";
    for (std::size_t c = 0; c < table.columns.size(); ++c)
      object += Concat({c == 0 ? "" : ",", JsonString(table.columns[c].caption), ":", JsonString(table.text(r, c))});
    rows.push_back(object + "}");
  }
  return rows;
}

}  // namespace patchlore
