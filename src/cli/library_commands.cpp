#include "cli/library_commands.hpp"

#include <malloc.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <limits>

#include "common/json_text.hpp"
#include "library/library_indexer.hpp"

namespace patchlore::cli {

namespace {

void AddKindOption(CLI::App* command, LibraryOptions& options) {
  command->add_option("--kind", options.kind, "Only this kind: P C D W T S, M (M1 Program), N (M1 Combination)")
      ->check(CLI::IsMember({"P", "C", "D", "W", "T", "S", "M", "N"}));
}

std::string PatchLine(const FoundPatch& p) {
  return "Patch: " + p.path + "\t" + std::string(1, p.kind) + "\t" + p.key + "\t" + p.name;
}

std::string PatchJson(const FoundPatch& p) {
  return "{\"path\":" + JsonQuoted(p.path) + ",\"kind\":" + JsonQuoted(std::string(1, p.kind)) +
         ",\"key\":" + JsonQuoted(p.key) + ",\"name\":" + JsonQuoted(p.name) + "}";
}

std::string JsonArray(const std::vector<FoundPatch>& patches) {
  std::string json = "[";
  for (std::size_t i = 0; i < patches.size(); ++i) json += (i ? "," : "") + PatchJson(patches[i]);
  return json + "]";
}

// UTF-8 texts go out unchanged: the library keeps them so.
void Print(const Output& output, const std::string& line) { output.out << line << '\n'; }

// "12 files, 340.5 MB, 51200 patches, 85.1 MB/s" over itself on a terminal.
IndexProgress TerminalProgress(const Output& output) {
  if (!isatty(STDERR_FILENO)) return {};
  const auto start = std::chrono::steady_clock::now();
  return [&output, start](const IndexCounts& c) {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double megabytes = static_cast<double>(c.bytes) / 1e6;
    output.err << "\r" << c.files << " files, " << megabytes << " MB, " << c.patches << " patches, "
               << (seconds > 0 ? megabytes / seconds : 0.0) << " MB/s   " << std::flush;
    return true;
  };
}

// 2 when a file or folder was not read or a file not stored, 1 when the
// loader (or the MIDI file reader) refused a file, else 0.
int RunAdd(LibraryStore& store, const std::vector<std::string>& paths, const Output& output) {
  // One large image after another: memory freed is kept for the next file
  // rather than handed back to the system and mapped and zeroed anew for
  // every file, which took a fifth of the run. The process ends with the run.
#ifdef __GLIBC__
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
#endif
  LibraryIndexer indexer(store, TerminalProgress(output));
  const std::vector<std::string> lines = indexer.add(paths);
  if (isatty(STDERR_FILENO)) output.err << "\n";
  for (const auto& line : lines) Print(output, line);
  return indexer.failed() ? 2 : indexer.refused() ? 1 : 0;
}

int RunFind(const LibraryStore& store, const LibraryOptions& options, const Output& output) {
  const auto found = store.find(options.text, options.kind.empty() ? 0 : options.kind[0], options.fileGlob);
  if (!found) {
    output.err << "patchlore-cli: " << found.failure().text << "\n";
    return 2;
  }
  if (options.json) {
    Print(output, JsonArray(*found));
  } else {
    for (const auto& p : *found) Print(output, PatchLine(p));
  }
  return found->empty() ? 1 : 0;
}

int RunDupes(const LibraryStore& store, const LibraryOptions& options, const Output& output) {
  const auto groups = store.dupes(options.kind.empty() ? 0 : options.kind[0], options.byName);
  if (!groups) {
    output.err << "patchlore-cli: " << groups.failure().text << "\n";
    return 2;
  }
  std::string json = "[";
  for (std::size_t g = 0; g < groups->size(); ++g) {
    json += (g ? "," : "") + JsonArray((*groups)[g]);
    if (options.json) continue;
    Print(output, "Group: " + std::to_string(g + 1));
    for (const auto& p : (*groups)[g]) Print(output, PatchLine(p));
  }
  if (options.json) Print(output, json + "]");
  return groups->empty() ? 1 : 0;
}

int RunStats(const LibraryStore& store, const LibraryOptions& options, const Output& output) {
  const auto stats = store.stats();
  if (!stats) {
    output.err << "patchlore-cli: " << stats.failure().text << "\n";
    return 2;
  }
  std::string kinds, jsonKinds;
  for (const auto& [kind, count] : stats->patchesPerKind) {
    kinds += std::string(kinds.empty() ? "" : " ") + kind + "=" + std::to_string(count);
    jsonKinds += std::string(jsonKinds.empty() ? "" : ",") + "\"" + kind + "\":" + std::to_string(count);
  }
  if (options.json) {
    Print(output, "{\"files\":" + std::to_string(stats->files) + ",\"patches\":{" + jsonKinds +
                      "},\"duplicates\":" + std::to_string(stats->duplicateGroups) +
                      ",\"bytes\":" + std::to_string(stats->bytes) + "}");
    return 0;
  }
  Print(output, "Files: " + std::to_string(stats->files));
  Print(output, "Patches: " + kinds);
  Print(output, "Duplicates: " + std::to_string(stats->duplicateGroups));
  Print(output, "Bytes: " + std::to_string(stats->bytes));
  return 0;
}

int RunUsage(const LibraryStore& store, const LibraryOptions& options, const Output& output) {
  const auto uses = store.usage(options.text);
  if (!uses) {
    output.err << "patchlore-cli: " << uses.failure().text << "\n";
    return 2;
  }
  std::string json = "[";
  for (std::size_t i = 0; i < uses->size(); ++i) {
    const LibraryUse& u = (*uses)[i];
    json += std::string(i ? "," : "") + "{\"path\":" + JsonQuoted(u.path) + ",\"kind\":" + JsonQuoted(u.kind) +
            ",\"key\":" + JsonQuoted(u.key) + ",\"part\":" + JsonQuoted(u.part) + ",\"name\":" + JsonQuoted(u.name) + "}";
    if (!options.json) Print(output, u.kind + ": " + u.path + "\t" + u.key + "\t" + u.part + "\t" + u.name);
  }
  if (options.json) Print(output, json + "]");
  return uses->empty() ? 1 : 0;
}

int RunRemove(LibraryStore& store, const LibraryOptions& options, const Output& output) {
  int result = 0;
  for (const std::string& path : options.paths) {
    const std::string absolute = std::filesystem::absolute(path).lexically_normal().string();
    const Result<bool> removed = store.removeFile(absolute);
    if (!removed) {
      output.err << "patchlore-cli: " << removed.failure().text << "\n";
      return 2;
    }
    Print(output, (*removed ? "Removed: " : "Not in the library: ") + absolute);
    if (!*removed) result = 1;
  }
  return result;
}

int RunPrune(LibraryStore& store, const Output& output) {
  const auto lines = PruneLibrary(store);
  if (!lines) {
    output.err << "patchlore-cli: " << lines.failure().text << "\n";
    return 2;
  }
  for (const auto& line : *lines) Print(output, line);
  return 0;
}

// The files the library at path holds that are still there; a failure
// when it cannot be read.
Result<std::vector<std::string>> FilesStillThere(const std::string& path) {
  const Result<LibraryStore> old = LibraryStore::Open(path, false);
  if (!old) return old.failure();
  Result<std::vector<std::string>> paths = old->filePaths();
  if (!paths) return paths.failure();
  std::erase_if(*paths, [](const std::string& file) {
    std::error_code error;
    return !std::filesystem::exists(file, error);
  });
  return paths;
}

// The library at path is moved aside (kept, never overwritten) and a fresh
// one takes its place, holding again the files the old one held that are
// still there.
int RunRebuild(const std::string& path, const Output& output) {
  std::error_code error;
  const bool existed = std::filesystem::exists(path, error);
  const Result<std::vector<std::string>> files =
      existed ? FilesStillThere(path) : Result<std::vector<std::string>>(std::vector<std::string>{});
  std::string aside = path + ".old";
  for (int n = 2; std::filesystem::exists(aside); ++n) aside = path + ".old" + std::to_string(n);
  if (existed) std::filesystem::rename(path, aside, error);
  if (error) {
    output.err << "patchlore-cli: " << path << " not moved aside: " << error.message() << "\n";
    return 2;
  }
  for (const char* suffix : {"-wal", "-shm"}) std::filesystem::remove(path + suffix, error);
  Result<LibraryStore> store = LibraryStore::Open(path);
  if (!store) {
    output.err << "patchlore-cli: " << store.failure().text << "\n";
    return 2;
  }
  Print(output, "Library: " + path + " (fresh; the one before is kept as " + aside + ")");
  if (!files) {
    output.out << std::flush;
    output.err << "patchlore-cli: " << files.failure().text << "; its files are not indexed again\n";
    return 1;
  }
  return files->empty() ? 0 : RunAdd(*store, *files, output);
}

}  // namespace

void AddLibraryCommands(CLI::App& app, LibraryOptions& options) {
  options.library = app.add_subcommand("library", "Your library of PCG, SNG and M1 SysEx files: add, find, duplicates");
  options.library->require_subcommand(1);
  const std::string footer =
      "add passes over files that are not PCG or SNG files and hold no M1 dump, counting them; rebuild indexes\n"
      "again the files the old library held that are still there.\n\n"
      "Exit status:\n"
      "  0  done\n"
      "  1  nothing found (find, dupes, usage), a file not in the library (remove), a file that begins\n"
      "     as a PCG, SNG or MIDI file does but is refused (add), or the files of an unreadable library\n"
      "     not indexed again (rebuild)\n"
      "  2  a file or folder not read or not stored, a library that does not exist (only add makes one)\n"
      "     or cannot be opened, or a usage error";
  options.library->footer(footer);
  options.library->add_option("--db", options.db, "Library file (default: ~/.local/share/patchlore/library.sqlite)");
  options.library->add_flag("--json", options.json, "Print the result as JSON");
  options.add = options.library->add_subcommand(
      "add", "Index the PCG and SNG files and the M1 dumps of SysEx and MIDI files of PATHs (folders recursively)");
  options.add->add_option("PATH", options.paths, "Files and folders")->required();
  options.remove = options.library->add_subcommand("remove", "Forget the files PATH");
  options.remove->add_option("PATH", options.paths, "Indexed files")->required();
  options.prune = options.library->add_subcommand("prune", "Forget the files gone from disk");
  options.rebuild = options.library->add_subcommand("rebuild", "Start a fresh library, keeping the old file beside it");
  options.find = options.library->add_subcommand("find", "Patches whose name contains TEXT, any letter case");
  options.find->add_option("TEXT", options.text, "Part of a name")->required();
  AddKindOption(options.find, options);
  options.find->add_option("--file", options.fileGlob, "Only files whose path matches this pattern");
  options.dupes = options.library->add_subcommand("dupes", "Groups of the same sound (or, --by-name, the same name)");
  AddKindOption(options.dupes, options);
  options.dupes->add_flag("--by-name", options.byName, "Same name, different sounds");
  options.stats = options.library->add_subcommand("stats", "Files, patches per kind, duplicates, size");
  options.usage = options.library->add_subcommand("usage", "What uses program KEY in every indexed file");
  options.usage->add_option("KEY", options.text, "Program key, e.g. U-A012")->required();
  for (CLI::App* command : options.library->get_subcommands({})) command->footer(footer);
}

int RunLibraryCommand(const LibraryOptions& options, const Output& output) {
  const std::string path = options.db.empty() ? DefaultLibraryPath() : options.db;
  if (*options.rebuild) return RunRebuild(path, output);
  // Only add makes a library; the other commands take one that is there.
  const bool create = options.add->parsed();
  std::error_code error;
  if (!create && !std::filesystem::exists(path, error)) {
    output.err << "patchlore-cli: Library " << path << ": no such file; library add makes one\n";
    return 2;
  }
  Result<LibraryStore> store = LibraryStore::Open(path, create);
  if (!store) {
    output.err << "patchlore-cli: " << store.failure().text << "\n";
    return 2;
  }
  if (*options.add) return RunAdd(*store, options.paths, output);
  if (*options.remove) return RunRemove(*store, options, output);
  if (*options.prune) return RunPrune(*store, output);
  if (*options.find) return RunFind(*store, options, output);
  if (*options.dupes) return RunDupes(*store, options, output);
  if (*options.usage) return RunUsage(*store, options, output);
  return RunStats(*store, options, output);
}

}  // namespace patchlore::cli
