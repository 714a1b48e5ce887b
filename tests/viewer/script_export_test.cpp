#include "viewer/script_export.hpp"

#include <gtest/gtest.h>

namespace patchlore {
namespace {

// A header, a field needing quotes, a Windows-1251 name and a control byte.
Table Sample() {
  Table table;
  table.columns = {{"Prog Bank"}, {"P.Name"}, {"Note"}};
  table.rows = {{"U-A", {"Say \"hi\", then", "\xCF\xF0\xE8"}}, {"I-B", {"tab\tend"}}};
  return table;
}

TEST(ScriptExport, CsvQuotesOnlyWhereNeededAndWritesUtf8) {
  EXPECT_EQ(CsvRecords(Sample()), (std::vector<std::string>{"Prog Bank,P.Name,Note",
                                                            "U-A,\"Say \"\"hi\"\", then\",\xD0\x9F\xD1\x80\xD0\xB8",
                                                            "I-B,tab\tend,"}));
}

TEST(ScriptExport, JsonObjectPerRowKeyedByCaption) {
  EXPECT_EQ(JsonRows(Sample()),
            (std::vector<std::string>{
                "{\"Prog Bank\":\"U-A\",\"P.Name\":\"Say \\\"hi\\\", then\",\"Note\":\"\xD0\x9F\xD1\x80\xD0\xB8\"}",
                "{\"Prog Bank\":\"I-B\",\"P.Name\":\"tab\\u0009end\",\"Note\":\"\"}"}));
}

}  // namespace
}  // namespace patchlore
