// The library's questions over many files: duplicates and counts.
#include <algorithm>
#include <filesystem>
#include <tuple>
#include <unordered_map>

#include "library/library_store.hpp"

namespace patchlore {

namespace {

constexpr const char* kKinds = "PCDWTSMN";

// The same sound: one kind, one sound hash, more than one patch. The
// sounds held more than once are listed ahead, so the question costs the
// duplicates found, not the size of the library.
// The index of sounds holds every column asked for, and the groups come in
// its order; each group is put in file and key order afterwards.
const char* const kSameSound =
    "SELECT p.file_id, p.kind, p.key, p.name, p.sound_hash FROM shared_sounds s "
    "CROSS JOIN patches p INDEXED BY patches_by_sound ON p.kind = s.kind AND p.sound_hash = s.sound_hash "
    "WHERE ?1 = '' OR s.kind = ?1";

const char* const kRelistSharedSounds =
    "DELETE FROM shared_sounds; INSERT INTO shared_sounds SELECT kind, sound_hash FROM patches "
    "GROUP BY kind, sound_hash HAVING COUNT(*) > 1; "
    "UPDATE library_state SET value = 0 WHERE key = 'shared_sounds_stale'";

// The same name, more than one sound.
const char* const kSameName =
    "SELECT p.file_id, p.kind, p.key, p.name, p.name FROM patches p WHERE (p.kind, p.name) IN "
    "(SELECT kind, name FROM patches WHERE ?1 = '' OR kind = ?1 GROUP BY kind, name "
    "HAVING COUNT(DISTINCT sound_hash) > 1) ORDER BY p.kind, p.name";

// Every file's path by its id: the few files are read once rather than
// joined to every patch.
Result<std::unordered_map<std::int64_t, std::string>> FilePaths(const sql::Connection& db) {
  Result<sql::Statement> query = db.prepare("SELECT id, path FROM files");
  if (!query) return query.failure();
  std::unordered_map<std::int64_t, std::string> paths;
  for (;;) {
    const Result<bool> row = query->step();
    if (!row) return row.failure();
    if (!*row) return paths;
    paths.emplace(query->integer(0), query->text(1));
  }
}

void SortEachGroup(std::vector<std::vector<FoundPatch>>& groups) {
  for (auto& g : groups)
    std::sort(g.begin(), g.end(), [](const FoundPatch& a, const FoundPatch& b) {
      return std::tie(a.path, a.key) < std::tie(b.path, b.key);
    });
}

Result<std::int64_t> Count(const sql::Connection& db, const std::string& sql, const std::string& kind = {}) {
  Result<sql::Statement> query = db.prepare(sql);
  if (!query) return query.failure();
  if (!kind.empty()) query->bind(1, kind);
  const Result<bool> row = query->step();
  if (!row) return row.failure();
  return *row ? query->integer(0) : 0;
}

std::int64_t FileSize(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? 0 : static_cast<std::int64_t>(size);
}

}  // namespace

Status LibraryStore::listSharedSounds() const {
  const Result<std::int64_t> stale =
      Count(db_, "SELECT value FROM library_state WHERE key = 'shared_sounds_stale'");
  if (!stale) return stale.failure();
  if (*stale == 0) return Success();
  Result<sql::Transaction> transaction = sql::Transaction::Begin(db_);
  if (!transaction) return transaction.failure();
  if (Status listed = db_.execute(kRelistSharedSounds); !listed) return listed;
  return transaction->commit();
}

Result<std::vector<std::vector<FoundPatch>>> LibraryStore::dupes(char kind, bool byName) const {
  if (Status listed = listSharedSounds(); !listed) return listed.failure();
  const auto paths = FilePaths(db_);
  if (!paths) return paths.failure();
  Result<sql::Statement> query = db_.prepare(byName ? kSameName : kSameSound);
  if (!query) return query.failure();
  query->bind(1, kind ? std::string(1, kind) : std::string());
  std::vector<std::vector<FoundPatch>> groups;
  std::string group;  // the kind and the sound hash or name the rows share
  for (;;) {
    const Result<bool> row = query->step();
    if (!row) return row.failure();
    if (!*row) break;
    std::string found = query->text(1);
    found += byName ? query->text(4) : std::to_string(query->integer(4));
    if (groups.empty() || found != group) groups.emplace_back();
    group = std::move(found);
    const auto path = paths->find(query->integer(0));
    groups.back().push_back({path == paths->end() ? std::string() : path->second, group.empty() ? '?' : group[0],
                             query->text(2), query->text(3)});
  }
  SortEachGroup(groups);
  return groups;
}

Result<LibraryStats> LibraryStore::stats() const {
  LibraryStats stats;
  const Result<std::int64_t> files = Count(db_, "SELECT COUNT(*) FROM files");
  if (!files) return files.failure();
  stats.files = *files;
  for (const char* kind = kKinds; *kind; ++kind) {
    const Result<std::int64_t> n = Count(db_, "SELECT COUNT(*) FROM patches WHERE kind = ?1", std::string(1, *kind));
    if (!n) return n.failure();
    stats.patchesPerKind.emplace_back(*kind, *n);
  }
  if (Status listed = listSharedSounds(); !listed) return listed.failure();
  const Result<std::int64_t> groups = Count(db_, "SELECT COUNT(*) FROM shared_sounds");
  if (!groups) return groups.failure();
  stats.duplicateGroups = *groups;
  stats.bytes = FileSize(path_) + FileSize(path_ + "-wal");
  return stats;
}

}  // namespace patchlore
