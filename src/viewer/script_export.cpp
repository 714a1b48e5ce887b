#include "viewer/script_export.hpp"

#include <cstdio>

#include "common/cp1251.hpp"

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

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : Cp1251ToUtf8(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

std::vector<std::string> CsvRecords(const Table& table) {
  std::vector<std::string> records;
  records.reserve(table.rows.size() + 1);
  std::string header;
  for (std::size_t c = 0; c < table.columns.size(); ++c)
    header += (c == 0 ? "" : ",") + CsvField(table.columns[c].caption);
  records.push_back(std::move(header));
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    std::string record;
    for (std::size_t c = 0; c < table.columns.size(); ++c)
      record += (c == 0 ? "" : ",") + CsvField(table.text(r, c));
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
      object += (c == 0 ? "" : ",") + JsonString(table.columns[c].caption) + ":" + JsonString(table.text(r, c));
    rows.push_back(object + "}");
  }
  return rows;
}

}  // namespace patchlore
