// Export of a viewer's table as separated values (".CVS") for a spreadsheet.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.hpp"
#include "common/table.hpp"

namespace patchlore {

constexpr std::string_view kCvsFilter = "CVS files (*.CVS)|*.CVS|All files (*.*)|*.*";
constexpr std::string_view kCsvFilter = "CSV files (*.csv)|*.csv|All files (*.*)|*.*";
constexpr std::string_view kPdfFilter = "PDF files (*.pdf)|*.pdf|All files (*.*)|*.*";

// One position of the separator setting and what its labels show.
struct SeparatorChoice {
  std::string separator;  // the character and one blank
  std::string asciiCode;  // "ASCII ( $59 )"
  std::string asciiChar;  // "';'"
};

// Positions 0 to 4 give semicolon, colon, comma, full stop and blank; any
// other position gives tab.
SeparatorChoice SeparatorAt(int position);

// The lines of the file: "Sep=" + separator, the header, one line per row;
// every field, the last included, is followed by the separator. A row with
// fewer cells than the table has columns gets empty fields.
std::vector<std::string> CvsLines(const Table& table, const std::string& separator);

// The shown file's name (empty for none), ".", the status text with ":"
// and ";" turned into "_", and ".CVS".
std::string ProposedCvsName(const std::string& fileName, const std::string& msg);

// What the Info label shows before the save dialog opens.
std::string ExportInfoText(const Table& table, const std::string& separator);

// The chosen name with whatever extension it has replaced by ".CVS".
std::string WithCvsExtension(const std::string& path);

// Writes the table safely (temporary file, then rename); the error text, or
// nothing on success.
Status WriteTableAsCvs(const std::string& path, const Table& table,
                       const std::string& separator);

// The chosen name with whatever extension it has replaced by ".csv".
std::string WithCsvExtension(const std::string& path);

// The chosen name with whatever extension it has replaced by ".pdf".
std::string WithPdfExtension(const std::string& path);

// Writes the table for a spreadsheet as RFC 4180 CSV in UTF-8 (CsvRecords,
// each record ended by CRLF), safely like the ".CVS" export. The file starts
// with the UTF-8 byte order mark, by which spreadsheets know the encoding
// instead of guessing a code page.
Status WriteTableAsCsv(const std::string& path, const Table& table);

// What Info shows once an export is written: the text it showed before, if
// any, and where the file went (path in the program's 8-bit text).
std::string SavedInfoText(const std::string& infoBefore, const std::string& path);

}  // namespace patchlore
