#include "cli/patch_commands.hpp"

#include "common/cp1251.hpp"
#include "library/patch_diff.hpp"
#include "library/patch_walk.hpp"
#include "library/program_usage.hpp"
#include "workspace/workspace.hpp"

namespace patchlore::cli {

namespace {

constexpr int kNotRead = 2;

// Texts of the core on the error stream, in UTF-8 unless --raw.
void PrintError(const Output& output, const std::string& text) {
  output.err << (output.raw ? text : Cp1251ToUtf8(text)) << '\n';
}

// Loads the files with the Open command, one registry for all; a file that
// is not loaded has its ActionMsg printed on the error stream.
class Loader {
 public:
  std::optional<int> open(const std::string& path, const Output& output) {
    const LoadResult opened = workspace_.openFile(path);
    if (!opened) {
      PrintError(output, "ActionMsg: " + opened.failure().text);
      if (!opened.failure().reason.empty()) output.error(opened.failure().reason);
      return std::nullopt;
    }
    return opened->index;
  }

  const Registry& registry() const { return workspace_.registry(); }

 private:
  Workspace workspace_;
};

int RunUsage(const PatchCommandOptions& options, const Output& output) {
  Loader loader;
  const std::optional<int> pcg = loader.open(options.pcg, output);
  if (!pcg) return kNotRead;
  std::optional<int> sng;
  if (options.sng && !(sng = loader.open(*options.sng, output))) return kNotRead;
  const auto uses = ProgramUsage(loader.registry(), *pcg, sng, options.key);
  if (!uses) {
    PrintError(output, "patchlore-cli: " + uses.failure().text);
    return kNotRead;
  }
  for (const ProgramUse& use : *uses) output.line(UseLine(use));
  return uses->empty() ? 1 : 0;
}

int RunDiff(const PatchCommandOptions& options, const Output& output) {
  Loader loader;
  const std::optional<int> a = loader.open(options.first, output);
  const std::optional<int> b = a ? loader.open(options.second, output) : std::nullopt;
  if (!b) return kNotRead;
  const auto patchesA = WalkPatches(loader.registry(), *a);
  const auto patchesB = WalkPatches(loader.registry(), *b);
  for (const auto* walk : {&patchesA, &patchesB})
    if (!*walk) {
      PrintError(output, "patchlore-cli: " + walk->failure().text);
      return kNotRead;
    }
  const PatchDiff diff =
      DiffPatches(loader.registry().image(*a), *patchesA, loader.registry().image(*b), *patchesB);
  for (const PatchDifference& difference : diff.differences) output.line(DifferenceLine(difference));
  output.line(SummaryLine(diff.summary));
  return diff.differences.empty() ? 0 : 1;
}

}  // namespace

void AddPatchCommands(CLI::App& app, PatchCommandOptions& options) {
  options.usage = app.add_subcommand(
      "usage", "List the combination timbres, set list slots (and with --sng song tracks) that use program KEY");
  options.usage->add_option("FILE", options.pcg, "PCG file to search")->required();
  options.usage->add_option("KEY", options.key, "Program key, e.g. U-A012")->required();
  options.usage->add_option("--sng", options.sng, "SNG file whose song tracks are searched too");

  options.diff = app.add_subcommand(
      "diff", "List the patches that differ between A and B: renamed, moved, changed, added, removed");
  options.diff->add_option("A", options.first, "The older file")->required();
  options.diff->add_option("B", options.second, "The newer file")->required();
}

int RunPatchCommand(const PatchCommandOptions& options, const Output& output) {
  if (options.usage && *options.usage) return RunUsage(options, output);
  return RunDiff(options, output);
}

}  // namespace patchlore::cli
