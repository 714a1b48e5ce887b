#include "library/used_by_list.hpp"

#include "formats/banks.hpp"
#include "formats/program_keys.hpp"
#include "library/program_usage.hpp"

namespace patchlore {

namespace {

void AddRows(Table& table, const std::vector<ProgramUse>& uses, const std::string& fileName) {
  for (const ProgramUse& use : uses)
    table.rows.push_back({std::string(UseKindText(use.kind)), {use.key, use.part, use.name, fileName}});
}

}  // namespace

UsedByList ListUsesOf(const Registry& registry, int fileIndex, std::int64_t bankOffset, std::int64_t patch) {
  UsedByList list;
  list.key = PatchKey(ProgramBankKeyName(ReadBankHeader(registry.image(fileIndex), bankOffset)), patch);
  list.caption = "Used by " + list.key + " " + FileWindowCaption(registry, fileIndex);
  list.table.columns = {{"Used by", 60}, {"Key", 60}, {"Part", 50}, {"Name", 150}, {"File", 100}};
  std::string reasons;
  const auto add = [&](const Result<std::vector<ProgramUse>>& uses, int file) {
    if (uses)
      AddRows(list.table, *uses, registry.name(file));
    else
      reasons += "; " + uses.failure().text;
  };
  add(ProgramUsage(registry, fileIndex, std::nullopt, list.key), fileIndex);
  for (int file = 0; file < registry.count(); ++file)
    if (registry.kind(file) == FileKind::Sng)
      add(SongsUsing(registry.image(file), ModelConstantsFor(registry.model(file)), list.key,
                     registry.name(file)),
          file);
  const std::size_t count = list.table.rows.size();
  list.msg = (count == 0 ? "Nothing uses " + list.key : "Uses:" + std::to_string(count)) + reasons;
  return list;
}

}  // namespace patchlore
