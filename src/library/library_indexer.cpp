#include "library/library_indexer.hpp"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "common/byte_reader.hpp"
#include "common/cp1251.hpp"
#include "common/sha256.hpp"
#include "formats/model_layout.hpp"
#include "library/patch_walk.hpp"
#include "library/program_usage.hpp"
#include "workspace/workspace.hpp"

namespace patchlore {

namespace {

struct FileStamp {
  std::int64_t size = -1;
  std::int64_t modified = 0;
  bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
  return {static_cast<std::int64_t>(status.st_size), static_cast<std::int64_t>(status.st_mtime)};
}

// The regular files of the paths, folders walked recursively; links to
// folders are not followed, so a loop of links ends.
std::vector<std::string> FilesOf(const std::vector<std::string>& paths) {
  std::vector<std::string> files;
  for (const std::string& path : paths) {
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) {
      files.push_back(path);
      continue;
    }
    const auto options = std::filesystem::directory_options::skip_permission_denied;
    std::vector<std::string> found;
    for (auto it = std::filesystem::recursive_directory_iterator(path, options, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
      if (it->is_regular_file(error)) found.push_back(it->path().string());
    std::sort(found.begin(), found.end());  // the same order on every run
    files.insert(files.end(), found.begin(), found.end());
  }
  return files;
}

std::vector<LibraryPatch> LibraryPatchesOf(const std::vector<PatchEntry>& entries) {
  std::vector<LibraryPatch> patches;
  patches.reserve(entries.size());
  for (const PatchEntry& e : entries)
    patches.push_back({e.kindLetter(), Cp1251ToUtf8(e.bank), static_cast<int>(e.number), Cp1251ToUtf8(e.key),
                       Cp1251ToUtf8(e.name), e.size, e.hash, e.soundHash});
  return patches;
}

// The combination timbres, set list slots or song tracks of the file that
// play a program; a file that cannot be listed has none.
std::vector<LibraryUse> UsesOf(const Registry& registry, int index) {
  const Image image = registry.image(index);
  const ModelConstants model = ModelConstantsFor(registry.model(index));
  const Result<std::vector<ProgramUse>> uses = registry.kind(index) == FileKind::Sng
                                                   ? SongsUsing(image, model, kEveryProgram, registry.name(index))
                                                   : PcgUsesOf(image, model, kEveryProgram);
  std::vector<LibraryUse> stored;
  if (!uses) return stored;
  for (const ProgramUse& use : *uses)
    stored.push_back({Cp1251ToUtf8(use.program), std::string(UseKindText(use.kind)), Cp1251ToUtf8(use.key),
                      use.part, Cp1251ToUtf8(use.name), {}});
  return stored;
}

}  // namespace

std::vector<std::string> LibraryIndexer::add(const std::vector<std::string>& paths) {
  std::vector<std::string> lines;
  for (const std::string& path : FilesOf(paths)) {
    addFile(std::filesystem::absolute(path).lexically_normal().string(), lines);
    ++counts_.files;
    if (progress_ && !progress_(counts_)) {
      lines.push_back("Stopped");
      break;
    }
  }
  return lines;
}

void LibraryIndexer::addFile(const std::string& path, std::vector<std::string>& lines) {
  const auto fail = [&](const std::string& why) {
    lines.push_back("Failed: " + path + "\t" + why);
    failed_ = true;
  };
  const FileStamp before = StampOf(path);
  if (before.size < 0) return fail("not a regular file that can be read");
  Workspace workspace;
  const LoadResult opened = workspace.openFile(path);
  if (!opened) {
    lines.push_back("Refused: " + path + "\t" + Cp1251ToUtf8(opened.failure().text));
    return;
  }
  if (StampOf(path) != before) return fail("changed while it was read");
  const int loaded = opened->index;
  const Registry& registry = workspace.registry();
  const Image image = registry.image(loaded);
  counts_.bytes += static_cast<std::int64_t>(image.size());
  const LibraryFile identity{path, before.size, before.modified, Sha256Hex(Sha256Of(image)),
                             std::string(ModelText(registry.model(loaded))),
                             HexText(ReadClippedBytes(image, kFileVersion, kFileVersionWidth))};
  const Result<std::optional<LibraryFile>> stored = store_.file(path);
  if (!stored) return fail(stored.failure().text);
  if (*stored && (*stored)->size == identity.size && (*stored)->modified == identity.modified &&
      (*stored)->sha256 == identity.sha256) {
    lines.push_back("Unchanged: " + path);
    return;
  }
  const Result<std::vector<PatchEntry>> walked = WalkPatches(registry, loaded);
  if (!walked) {
    lines.push_back("Refused: " + path + "\t" + Cp1251ToUtf8(walked.failure().text));
    return;
  }
  const Status saved = store_.replaceFile(identity, LibraryPatchesOf(*walked), UsesOf(registry, loaded));
  if (!saved) return fail("not stored: " + saved.failure().text);
  counts_.patches += static_cast<std::int64_t>(walked->size());
  lines.push_back("Indexed: " + path + "\t" + std::to_string(walked->size()) + " patches");
}

Result<std::vector<std::string>> PruneLibrary(LibraryStore& store) {
  const Result<std::vector<std::string>> paths = store.filePaths();
  if (!paths) return paths.failure();
  std::vector<std::string> lines;
  for (const std::string& path : *paths) {
    std::error_code error;
    if (std::filesystem::exists(path, error) || error) continue;
    const Result<bool> removed = store.removeFile(path);
    if (!removed) return removed.failure();
    lines.push_back("Removed: " + path);
  }
  return lines;
}

}  // namespace patchlore
