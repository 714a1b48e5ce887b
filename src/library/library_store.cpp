#include "library/library_store.hpp"

#include <cstdlib>
#include <filesystem>

namespace patchlore {

namespace {

// Each step brings a library from the version before it to its own.
const char* const kMigrations[kLibrarySchemaVersion] = {
    R"(CREATE TABLE files(
         id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE, size INTEGER NOT NULL,
         modified INTEGER NOT NULL, sha256 TEXT NOT NULL, model TEXT NOT NULL, version TEXT NOT NULL);
       CREATE TABLE patches(
         id INTEGER PRIMARY KEY, file_id INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE,
         kind TEXT NOT NULL, bank TEXT NOT NULL, number INTEGER NOT NULL, key TEXT NOT NULL,
         name TEXT NOT NULL, size INTEGER NOT NULL, hash INTEGER NOT NULL, sound_hash INTEGER NOT NULL);
       CREATE INDEX patches_by_file ON patches(file_id);
       CREATE INDEX patches_by_sound ON patches(kind, sound_hash, file_id, key, name);
       CREATE TABLE program_uses(
         file_id INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE, program TEXT NOT NULL,
         kind TEXT NOT NULL, key TEXT NOT NULL, part TEXT NOT NULL, name TEXT NOT NULL);
       CREATE INDEX program_uses_by_program ON program_uses(program);
       CREATE INDEX program_uses_by_file ON program_uses(file_id);
       CREATE VIRTUAL TABLE patch_names USING fts5(name, content='patches', content_rowid='id', tokenize='trigram');
       CREATE TABLE shared_sounds(kind TEXT NOT NULL, sound_hash INTEGER NOT NULL,
         PRIMARY KEY(kind, sound_hash)) WITHOUT ROWID;
       CREATE TABLE library_state(key TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;
       INSERT INTO library_state VALUES ('shared_sounds_stale', 1);)"};

// Any change of the patches makes the list of sounds held more than once
// stale; the next question about duplicates makes it anew.
const char* const kSoundsChanged = "UPDATE library_state SET value = 1 WHERE key = 'shared_sounds_stale'";

// The name index of a file's patches is written and cleared a file at a
// time: row by row it would cost more than the rest of the indexing.
const char* const kNameFile = "INSERT INTO patch_names(rowid, name) SELECT id, name FROM patches WHERE file_id = ?1";
const char* const kUnnameFile =
    "INSERT INTO patch_names(patch_names, rowid, name) SELECT 'delete', p.id, p.name FROM patches p "
    "JOIN files f ON f.id = p.file_id WHERE f.path = ?1";

// The trigram index finds runs of three characters and more; shorter texts
// are looked for by a plain scan.
constexpr std::size_t kShortestIndexedText = 3;

const char* const kPatchColumns = "SELECT f.path, p.kind, p.key, p.name FROM patches p JOIN files f ON f.id = p.file_id ";

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

Result<std::int64_t> SchemaVersion(const sql::Connection& db) {
  Result<sql::Statement> version = db.prepare("PRAGMA user_version");
  if (!version) return version.failure();
  const Result<bool> row = version->step();
  if (!row) return row.failure();
  return version->integer(0);
}

}  // namespace

std::string DefaultLibraryPath() {
  const char* data = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  const std::filesystem::path base = data && *data ? std::filesystem::path(data)
                                                   : std::filesystem::path(home ? home : ".") / ".local" / "share";
  return (base / "patchlore" / "library.sqlite").string();
}

Result<LibraryStore> LibraryStore::Open(const std::string& path) {
  std::error_code ignored;
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  Result<sql::Connection> connection = sql::Connection::Open(path, true);
  if (!connection) return Failure{"Library " + path + ": " + connection.failure().text};
  LibraryStore store(std::move(*connection), path);
  const Status migrated = store.migrate();
  if (!migrated) return Failure{"Library " + path + ": " + migrated.failure().text};
  return store;
}

Status LibraryStore::migrate() {
  const Result<std::int64_t> version = SchemaVersion(db_);
  if (!version) return version.failure();
  const std::int64_t found = *version;
  if (found > kLibrarySchemaVersion)
    return Failure{"written by a newer Patchlore (schema " + std::to_string(found) + ", this one knows " +
                   std::to_string(kLibrarySchemaVersion) + "); it is left as it is"};
  if (Status wal = db_.execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-65536; PRAGMA foreign_keys=ON"); !wal) return wal;
  for (std::int64_t step = found; step < kLibrarySchemaVersion; ++step) {
    Result<sql::Transaction> transaction = sql::Transaction::Begin(db_);
    if (!transaction) return transaction.failure();
    if (Status done = db_.execute(kMigrations[step]); !done) return done;
    if (Status set = db_.execute("PRAGMA user_version=" + std::to_string(step + 1)); !set) return set;
    if (Status committed = transaction->commit(); !committed) return committed;
  }
  return Success();
}

Result<std::optional<LibraryFile>> LibraryStore::file(const std::string& path) const {
  Result<sql::Statement> query =
      db_.prepare("SELECT size, modified, sha256, model, version FROM files WHERE path = ?1");
  if (!query) return query.failure();
  query->bind(1, path);
  const Result<bool> row = query->step();
  if (!row) return row.failure();
  if (!*row) return std::optional<LibraryFile>();
  return std::optional<LibraryFile>(
      LibraryFile{path, query->integer(0), query->integer(1), query->text(2), query->text(3), query->text(4)});
}

Status LibraryStore::storeUses(std::int64_t fileId, const std::vector<LibraryUse>& uses) {
  Result<sql::Statement> use = db_.prepare(
      "INSERT INTO program_uses(file_id, program, kind, key, part, name) VALUES (?1, upper(?2), ?3, ?4, ?5, ?6)");
  if (!use) return use.failure();
  for (const LibraryUse& u : uses) {
    use->reset();
    use->bind(1, fileId).bind(2, u.program).bind(3, u.kind).bind(4, u.key).bind(5, u.part).bind(6, u.name);
    if (Status done = use->run(); !done) return done;
  }
  return Success();
}

Result<std::vector<LibraryUse>> LibraryStore::usage(const std::string& program) const {
  Result<sql::Statement> query = db_.prepare(
      "SELECT u.program, u.kind, u.key, u.part, u.name, f.path FROM program_uses u JOIN files f ON f.id = u.file_id "
      "WHERE u.program = upper(?1) ORDER BY f.path, u.rowid");
  if (!query) return query.failure();
  query->bind(1, program);
  std::vector<LibraryUse> uses;
  for (;;) {
    const Result<bool> row = query->step();
    if (!row) return row.failure();
    if (!*row) return uses;
    uses.push_back({query->text(0), query->text(1), query->text(2), query->text(3), query->text(4), query->text(5)});
  }
}

Status LibraryStore::replaceFile(const LibraryFile& file, const std::vector<LibraryPatch>& patches,
                                 const std::vector<LibraryUse>& uses) {
  Result<sql::Transaction> transaction = sql::Transaction::Begin(db_);
  if (!transaction) return transaction.failure();
  if (Status forgotten = forgetFile(file.path); !forgotten) return forgotten;
  Result<sql::Statement> add = db_.prepare(
      "INSERT INTO files(path, size, modified, sha256, model, version) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
  if (!add) return add.failure();
  add->bind(1, file.path).bind(2, file.size).bind(3, file.modified).bind(4, file.sha256);
  if (Status done = add->bind(5, file.model).bind(6, file.version).run(); !done) return done;
  const std::int64_t fileId = db_.lastInsertId();
  Result<sql::Statement> patch = db_.prepare(
      "INSERT INTO patches(file_id, kind, bank, number, key, name, size, hash, sound_hash) "
      "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
  if (!patch) return patch.failure();
  for (const LibraryPatch& p : patches) {
    patch->reset();
    patch->bind(1, fileId).bind(2, std::string(1, p.kind)).bind(3, p.bank).bind(4, std::int64_t{p.number});
    patch->bind(5, p.key).bind(6, p.name).bind(7, p.size);
    patch->bind(8, static_cast<std::int64_t>(p.hash)).bind(9, static_cast<std::int64_t>(p.soundHash));
    if (Status done = patch->run(); !done) return done;
  }
  if (Status stored = storeUses(fileId, uses); !stored) return stored;
  Result<sql::Statement> name = db_.prepare(kNameFile);
  if (!name) return name.failure();
  if (Status named = name->bind(1, fileId).run(); !named) return named;
  return transaction->commit();
}

Status LibraryStore::forgetFile(const std::string& path) {
  if (Status marked = db_.execute(kSoundsChanged); !marked) return marked;
  Result<sql::Statement> unname = db_.prepare(kUnnameFile);
  if (!unname) return unname.failure();
  if (Status done = unname->bind(1, path).run(); !done) return done;
  Result<sql::Statement> forget = db_.prepare("DELETE FROM files WHERE path = ?1");
  if (!forget) return forget.failure();
  return forget->bind(1, path).run();
}

Result<bool> LibraryStore::removeFile(const std::string& path) {
  const Result<std::optional<LibraryFile>> known = file(path);
  if (!known) return known.failure();
  if (!*known) return false;
  Result<sql::Transaction> transaction = sql::Transaction::Begin(db_);
  if (!transaction) return transaction.failure();
  if (Status forgotten = forgetFile(path); !forgotten) return forgotten.failure();
  if (Status committed = transaction->commit(); !committed) return committed.failure();
  return true;
}

Result<std::vector<std::string>> LibraryStore::filePaths() const {
  Result<sql::Statement> query = db_.prepare("SELECT path FROM files ORDER BY path");
  if (!query) return query.failure();
  std::vector<std::string> paths;
  for (;;) {
    const Result<bool> row = query->step();
    if (!row) return row.failure();
    if (!*row) return paths;
    paths.push_back(query->text(0));
  }
}

Result<std::vector<FoundPatch>> LibraryStore::patches(sql::Statement& query) const {
  std::vector<FoundPatch> found;
  for (;;) {
    const Result<bool> row = query.step();
    if (!row) return row.failure();
    if (!*row) return found;
    const std::string kind = query.text(1);
    found.push_back({query.text(0), kind.empty() ? '?' : kind[0], query.text(2), query.text(3)});
  }
}

Result<std::vector<FoundPatch>> LibraryStore::find(const std::string& text, char kind,
                                                   const std::string& fileGlob) const {
  const bool indexed = text.size() >= kShortestIndexedText;
  const std::string match = indexed ? "p.id IN (SELECT rowid FROM patch_names WHERE patch_names MATCH ?1) "
                                    : "instr(lower(p.name), lower(?1)) > 0 ";
  Result<sql::Statement> query = db_.prepare(std::string(kPatchColumns) + "WHERE " + match +
                                             "AND (?2 = '' OR p.kind = ?2) AND (?3 = '' OR f.path GLOB ?3) "
                                             "ORDER BY f.path, p.kind, p.key");
  if (!query) return query.failure();
  query->bind(1, indexed ? Quoted(text) : text).bind(2, kind ? std::string(1, kind) : std::string()).bind(3, fileGlob);
  return patches(*query);
}

}  // namespace patchlore
