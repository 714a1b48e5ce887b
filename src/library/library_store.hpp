// The library: one SQLite file holding, for every indexed PCG, SNG and SysEx file,
// its identity and a row per patch. The only place that speaks SQL. A
// database written by a newer Patchlore, or a damaged one, is refused and
// never changed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/result.hpp"
#include "library/sqlite.hpp"

namespace patchlore {

// The schema this program writes; older ones are brought up to it.
constexpr int kLibrarySchemaVersion = 1;

struct LibraryFile {
  std::string path;
  std::int64_t size = 0;
  std::int64_t modified = 0;  // seconds since the epoch
  std::string sha256;         // lowercase hex
  std::string model;          // "KRONOS", "OASYS", "M1"
  std::string version;        // the file's version, as its type text tells it; "SysEx" or "MIDI file"
};

struct LibraryPatch {
  char kind = 'P';      // P C D W T S, M (M1 Program) N (M1 Combination)
  std::string bank;     // bank name, e.g. "U-A"; an M1 patch's message number
  int number = 0;       // within its bank, from 0
  std::string key;      // as the viewers write it, e.g. "U-A012"; "3:07" for an M1 patch
  std::string name;     // trimmed, UTF-8
  std::int64_t size = 0;
  std::uint64_t hash = 0;       // of the whole patch
  std::uint64_t soundHash = 0;  // of the patch without its name
};

// A patch of a file that plays a program: a combination timbre, a set list
// slot, a song track.
struct LibraryUse {
  std::string program;  // the key of the program used, e.g. "U-A012"
  std::string kind;     // "Combi", "SetList", "Song"
  std::string key;      // of the combination, set list or song
  std::string part;     // "T01", "5", "MT03"
  std::string name;     // UTF-8
  std::string path;     // of the file, when read back
  bool operator==(const LibraryUse&) const = default;
};

struct FoundPatch {
  std::string path;
  char kind = 'P';
  std::string key;
  std::string name;
  bool operator==(const FoundPatch&) const = default;
};

struct LibraryStats {
  std::int64_t files = 0;
  std::vector<std::pair<char, std::int64_t>> patchesPerKind;  // in the order P C D W T S M N
  std::int64_t duplicateGroups = 0;  // sounds held more than once
  std::int64_t bytes = 0;            // the database file's size
};

class LibraryStore {
 public:
  // Opens the library at path; when missing, creates it (and its folder),
  // or, without create, refuses it and makes nothing. Two processes may
  // create the same library at once.
  static Result<LibraryStore> Open(const std::string& path, bool create = true);

  // The identity stored for a file, when it is indexed.
  Result<std::optional<LibraryFile>> file(const std::string& path) const;
  // Replaces everything stored for the file by these facts, in one
  // transaction (or the batch open): an interrupted run leaves the file as
  // it was before.
  Status replaceFile(const LibraryFile& file, const std::vector<LibraryPatch>& patches,
                     const std::vector<LibraryUse>& uses = {});
  // Files replaced or removed while a batch is open are committed or rolled
  // back with it, all together: many small files cost one commit instead of
  // one each. After a failure inside it, only rolling it back is sound.
  Result<sql::Transaction> beginBatch() const { return sql::Transaction::Begin(db_); }
  // False when the file was not indexed.
  Result<bool> removeFile(const std::string& path);
  Result<std::vector<std::string>> filePaths() const;
  // Every file's identity.
  Result<std::vector<LibraryFile>> files() const;

  // Names containing text in any letter case, by file and key; kind 0 for
  // every kind, fileGlob empty for every file.
  Result<std::vector<FoundPatch>> find(const std::string& text, char kind, const std::string& fileGlob) const;
  // Groups of patches of one kind with the same sound (byName: with the same
  // name but different sounds), each group by file and key.
  Result<std::vector<std::vector<FoundPatch>>> dupes(char kind, bool byName) const;
  Result<LibraryStats> stats() const;
  // Every use of the program key (any letter case) in every file, by file.
  Result<std::vector<LibraryUse>> usage(const std::string& program) const;

 private:
  LibraryStore(sql::Connection connection, std::string path)
      : db_(std::move(connection)), path_(std::move(path)) {}
  Status migrate();
  Result<std::vector<FoundPatch>> patches(sql::Statement& query) const;
  Status storeUses(std::int64_t fileId, const std::vector<LibraryUse>& uses);
  // Makes the list of sounds held more than once anew when patches changed.
  Status listSharedSounds() const;
  // Drops the file, its patches, their names and its uses, in the running transaction.
  Status forgetFile(const std::string& path);

  sql::Connection db_;
  std::string path_;
};

// Puts the uses in the order replaceFile() stores them fastest (the
// program keys in capitals, as they are stored, and sorted, each program's
// uses in their own order). replaceFile() takes them in any order.
void OrderUsesForStoring(std::vector<LibraryUse>& uses);

// The library's default place: $XDG_DATA_HOME/patchlore/library.sqlite, or
// ~/.local/share/patchlore/library.sqlite.
std::string DefaultLibraryPath();

}  // namespace patchlore
