#include "viewer/sheet_html.hpp"

#include <charconv>

#include "common/cp1251.hpp"

namespace patchlore {

namespace {

constexpr std::string_view kStyle =
    "body { font-family: sans-serif; font-size: 10pt; margin: 1.5em; }\n"
    "header h1 { font-size: 13pt; margin: 0; }\n"
    "header p { margin: 0.2em 0; }\n"
    "table { border-collapse: collapse; width: 100%; table-layout: fixed; margin-top: 0.8em; }\n"
    "th, td { border: 1px solid #aaa; padding: 1px 4px; text-align: left; vertical-align: top;"
    " white-space: pre-wrap; overflow-wrap: anywhere; }\n"
    "th { background: #e8e8e8; }\n"
    "td.number { text-align: right; }\n"
    "@media print {\n"
    "  body { margin: 0; font-size: 8pt; }\n"
    "  thead { display: table-header-group; }\n"
    "  tr { break-inside: avoid; }\n"
    "}\n";

// "12.5%", with a full stop whatever the program's locale.
std::string Percent(double share) {
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, share * 100, std::chars_format::fixed, 1).ptr;
  return std::string(text, end) + "%";
}

std::string HeadOf(const SheetHeader& header) {
  const std::string title = HtmlEscaped(header.fileName.empty() ? header.caption : header.fileName);
  return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
         "</title>\n<style>\n" + std::string(kStyle) + "</style>\n</head>\n<body>\n<header>\n<h1>" +
         HtmlEscaped(header.fileName) + "</h1>\n<p>" + HtmlEscaped(header.caption) + "</p>\n<p>" +
         HtmlEscaped(header.date) + "</p>\n</header>\n";
}

std::string ColumnsOf(const Table& table) {
  std::string html = "<colgroup>";
  for (const double share : ColumnShares(table)) html += "<col style=\"width: " + Percent(share) + "\">";
  html += "</colgroup>\n<thead>\n<tr>";
  for (const TableColumn& column : table.columns) html += "<th>" + HtmlEscaped(column.caption) + "</th>";
  return html + "</tr>\n</thead>\n";
}

std::string RowsOf(const Table& table) {
  std::string html = "<tbody>\n";
  for (std::size_t r = 0; r < table.rows.size(); ++r) {
    html += "<tr>";
    for (std::size_t c = 0; c < table.columns.size(); ++c)
      html += (table.columns[c].rightAligned ? "<td class=\"number\">" : "<td>") + HtmlEscaped(table.text(r, c)) +
              "</td>";
    html += "</tr>\n";
  }
  return html + "</tbody>\n";
}

}  // namespace

std::string HtmlEscaped(const std::string& text) {
  std::string escaped;
  for (const char c : VisibleUtf8(text)) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string SheetHtml(const Table& table, const SheetHeader& header) {
  return HeadOf(header) + "<table>\n" + ColumnsOf(table) + RowsOf(table) + "</table>\n</body>\n</html>\n";
}

}  // namespace patchlore
