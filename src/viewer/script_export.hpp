// A viewer's table for scripts rather than spreadsheets: RFC 4180 CSV and
// JSON, both in UTF-8. The ".CVS" export of the windows is another format
// (table_export.hpp) and stays as it is.
#pragma once

#include <string>
#include <vector>

#include "common/table.hpp"

namespace patchlore {

// The records of the CSV file, without their CRLF ends: the column captions,
// then one record per row. A field is quoted when it holds a comma, a double
// quote, a CR or a LF, its quotes doubled; no separator after the last field.
std::vector<std::string> CsvRecords(const Table& table);

// One JSON object per row, keys the column captions in column order.
std::vector<std::string> JsonRows(const Table& table);

}  // namespace patchlore
