#include "library/library_store.hpp"

#include <algorithm>
#include <array>
#include <chrono>
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

// How long a command waits for another process that is writing the
// library (a file is written in one transaction, a large one in about a
// second on a slow disk).
constexpr std::chrono::seconds kBusyWait(60);

const char* const kConnectionSettings =
    "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA cache_size=-65536; PRAGMA temp_store=MEMORY";

// Any change of the patches makes the list of sounds held more than once
// stale; the next question about duplicates makes it anew.
const char* const kSoundsChanged = "UPDATE library_state SET value = 1 WHERE key = 'shared_sounds_stale'";

// The name index of a file's patches is written and cleared a file at a
// time: row by row it would cost more than the rest of the indexing.
const char* const kNameFile = "INSERT INTO patch_names(rowid, name) SELECT id, name FROM patches WHERE file_id = ?1";
const char* const kUnnameFile =
    "INSERT INTO patch_names(patch_names, rowid, name) SELECT 'delete', p.id, p.name FROM patches p "
    "JOIN files f ON f.id = p.file_id WHERE f.path = ?1";

// A file's rows go with it. This program deletes them itself rather than
// have SQLite check every row it inserts against its file (a tenth of the
// time of storing a file); the tables still say how they belong together.
const char* const kForgetUses = "DELETE FROM program_uses WHERE file_id IN (SELECT id FROM files WHERE path = ?1)";
const char* const kForgetPatches = "DELETE FROM patches WHERE file_id IN (SELECT id FROM files WHERE path = ?1)";
const char* const kForgetFile = "DELETE FROM files WHERE path = ?1";

// Rows go in kRowsPerInsert to a statement: a statement per row would cost
// more than the rows' own work.
constexpr std::size_t kRowsPerInsert = 64;
const char* const kInsertPatch = "INSERT INTO patches(file_id, kind, bank, number, key, name, size, hash, sound_hash) VALUES ";
const char* const kPatchRow = "(?,?,?,?,?,?,?,?,?)";
constexpr int kPatchWidth = 9;
const char* const kInsertUse = "INSERT INTO program_uses(file_id, program, kind, key, part, name) VALUES ";
const char* const kUseRow = "(?,?,?,?,?,?)";
constexpr int kUseWidth = 6;

std::string InsertSql(const char* insert, const char* rowParameters, std::size_t rows) {
  std::string sql = insert;
  for (std::size_t i = 0; i < rows; ++i) (sql += i ? "," : "") += rowParameters;
  return sql;
}

// Inserts the rows, binding each row's width parameters from `at` on.
template <class Row, class BindRow>
Status InsertRows(const sql::Connection& db, const char* insert, const char* rowParameters, int width,
                  const std::vector<Row>& rows, BindRow bindRow) {
  const std::string whole = InsertSql(insert, rowParameters, kRowsPerInsert);
  for (std::size_t first = 0; first < rows.size(); first += kRowsPerInsert) {
    const std::size_t count = std::min(kRowsPerInsert, rows.size() - first);
    Result<sql::Statement*> statement = db.cached(count == kRowsPerInsert ? whole : InsertSql(insert, rowParameters, count));
    if (!statement) return statement.failure();
    for (std::size_t i = 0; i < count; ++i) bindRow(**statement, static_cast<int>(i) * width + 1, rows[first + i]);
    if (Status done = (*statement)->run(); !done) return done;
  }
  return Success();
}

// As SQLite's upper() has it: ASCII letters only.
std::string AsciiUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// The first eight bytes, in an order that agrees with the texts' own.
std::uint64_t KeyPrefix(std::string_view text) {
  std::uint64_t prefix = 0;
  for (std::size_t i = 0; i < 8; ++i) prefix = prefix << 8 | (i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0u);
  return prefix;
}

bool OrderedForStoring(const std::vector<LibraryUse>& uses) {
  for (std::size_t i = 0; i < uses.size(); ++i) {
    if (i > 0 && uses[i].program < uses[i - 1].program) return false;
    if (std::any_of(uses[i].program.begin(), uses[i].program.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
      return false;
  }
  return true;
}

// The kind as a one-letter text that lives as long as the program.
std::string_view KindText(char kind) {
  static const std::array<char, 256> letters = [] {
    std::array<char, 256> all{};
    for (int c = 0; c < 256; ++c) all[static_cast<std::size_t>(c)] = static_cast<char>(c);
    return all;
  }();
  return {&letters[static_cast<unsigned char>(kind)], 1};
}

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

// A library written by a newer Patchlore is left as it is.
Status KnownSchema(std::int64_t version) {
  if (version <= kLibrarySchemaVersion) return Success();
  return Failure{"written by a newer Patchlore (schema " + std::to_string(version) + ", this one knows " +
                 std::to_string(kLibrarySchemaVersion) + "); it is left as it is"};
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

Result<LibraryStore> LibraryStore::Open(const std::string& path, bool create) {
  if (create) {
    std::error_code ignored;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
  }
  Result<sql::Connection> connection = sql::Connection::Open(path, create, kBusyWait);
  if (!connection) return Failure{"Library " + path + ": " + connection.failure().text};
  LibraryStore store(std::move(*connection), path);
  const Status migrated = store.migrate();
  if (!migrated) return Failure{"Library " + path + ": " + migrated.failure().text};
  return store;
}

Status LibraryStore::migrate() {
  const Result<std::int64_t> version = SchemaVersion(db_);
  if (!version) return version.failure();
  if (Status known = KnownSchema(*version); !known) return known;
  if (Status set = db_.executeWaiting(kConnectionSettings, kBusyWait); !set) return set;
  if (*version == kLibrarySchemaVersion) return Success();
  // Another process may be making or bringing up the same library at this
  // moment: the version is read again inside the one write transaction
  // that takes it to this program's.
  Result<sql::Transaction> transaction = sql::Transaction::Begin(db_);
  if (!transaction) return transaction.failure();
  const Result<std::int64_t> found = SchemaVersion(db_);
  if (!found) return found.failure();
  if (Status known = KnownSchema(*found); !known) return known;
  for (std::int64_t step = *found; step < kLibrarySchemaVersion; ++step)
    if (Status done = db_.execute(kMigrations[step]); !done) return done;
  if (Status set = db_.execute("PRAGMA user_version=" + std::to_string(kLibrarySchemaVersion)); !set) return set;
  return transaction->commit();
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
  if (!OrderedForStoring(uses)) {
    std::vector<LibraryUse> ordered = uses;
    OrderUsesForStoring(ordered);
    return storeUses(fileId, ordered);
  }
  return InsertRows(db_, kInsertUse, kUseRow, kUseWidth, uses, [fileId](sql::Statement& s, int at, const LibraryUse& u) {
    s.bind(at, fileId).bindStored(at + 1, u.program).bindStored(at + 2, u.kind).bindStored(at + 3, u.key);
    s.bindStored(at + 4, u.part).bindStored(at + 5, u.name);
  });
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
  Result<sql::Statement*> add = db_.cached(
      "INSERT INTO files(path, size, modified, sha256, model, version) VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
  if (!add) return add.failure();
  (*add)->bindStored(1, file.path).bind(2, file.size).bind(3, file.modified).bindStored(4, file.sha256);
  if (Status done = (*add)->bindStored(5, file.model).bindStored(6, file.version).run(); !done) return done;
  const std::int64_t fileId = db_.lastInsertId();
  const Status stored =
      InsertRows(db_, kInsertPatch, kPatchRow, kPatchWidth, patches, [fileId](sql::Statement& s, int at, const LibraryPatch& p) {
        s.bind(at, fileId).bindStored(at + 1, KindText(p.kind)).bindStored(at + 2, p.bank);
        s.bind(at + 3, std::int64_t{p.number}).bindStored(at + 4, p.key).bindStored(at + 5, p.name).bind(at + 6, p.size);
        s.bind(at + 7, static_cast<std::int64_t>(p.hash)).bind(at + 8, static_cast<std::int64_t>(p.soundHash));
      });
  if (!stored) return stored;
  if (Status storedUses = storeUses(fileId, uses); !storedUses) return storedUses;
  Result<sql::Statement*> name = db_.cached(kNameFile);
  if (!name) return name.failure();
  if (Status named = (*name)->bind(1, fileId).run(); !named) return named;
  return transaction->commit();
}

Status LibraryStore::forgetFile(const std::string& path) {
  for (const char* sql : {kSoundsChanged, kUnnameFile, kForgetUses, kForgetPatches, kForgetFile}) {
    Result<sql::Statement*> step = db_.cached(sql);
    if (!step) return step.failure();
    if (sql != kSoundsChanged) (*step)->bindStored(1, path);
    if (Status done = (*step)->run(); !done) return done;
  }
  return Success();
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

// The uses go in by program: the index of programs then grows in order, at
// half the cost of growing it at random. usage() orders by row within a
// program, so each program's uses keep their own order.
void OrderUsesForStoring(std::vector<LibraryUse>& uses) {
  // Sorted on the keys' first eight bytes, then each run that shares them on
  // the whole keys: the same order as sorting on the whole keys, without
  // reaching into every use for every comparison.
  std::vector<std::pair<std::uint64_t, std::uint32_t>> order;
  order.reserve(uses.size());
  for (std::uint32_t i = 0; i < uses.size(); ++i) {
    uses[i].program = AsciiUpper(std::move(uses[i].program));
    order.emplace_back(KeyPrefix(uses[i].program), i);
  }
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto run = order.begin(); run != order.end();) {
    const auto end = std::find_if(run, order.end(), [run](const auto& o) { return o.first != run->first; });
    std::stable_sort(run, end, [&uses](const auto& a, const auto& b) { return uses[a.second].program < uses[b.second].program; });
    run = end;
  }
  std::vector<LibraryUse> ordered;
  ordered.reserve(uses.size());
  for (const auto& o : order) ordered.push_back(std::move(uses[o.second]));
  uses = std::move(ordered);
}

Result<std::vector<LibraryFile>> LibraryStore::files() const {
  Result<sql::Statement> query = db_.prepare("SELECT path, size, modified, sha256, model, version FROM files");
  if (!query) return query.failure();
  std::vector<LibraryFile> files;
  for (;;) {
    const Result<bool> row = query->step();
    if (!row) return row.failure();
    if (!*row) return files;
    files.push_back({query->text(0), query->integer(1), query->integer(2), query->text(3), query->text(4), query->text(5)});
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
