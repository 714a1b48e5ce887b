// The library's indexer on any file: the loader, the patch walk, the
// program uses, the M1 dumps of a SysEx or MIDI file (an input beginning
// with $F0 or "MThd") and the store (in memory), then every query on what it
// holds.
// The same path is indexed each time, so each input replaces the last one's
// rows, as a changed file on disk does.
#include "fuzz_support.hpp"
#include "library/library_indexer.hpp"
#include "library/library_store.hpp"

using namespace patchlore;

namespace {

LibraryStore& Store() {
  static Result<LibraryStore> store = LibraryStore::Open(":memory:");
  if (!store) __builtin_trap();
  return *store;
}

void Query(const LibraryStore& store, const std::string& text) {
  (void)store.find(text, 0, "");
  (void)store.find("", 'P', "*.PCG");
  (void)store.dupes(0, false);
  (void)store.dupes(0, true);
  (void)store.stats();
  (void)store.usage(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Image image(data, size);
  const std::string path = fuzz::WriteInputFile(image, ".PCG");
  LibraryIndexer indexer(Store());
  (void)indexer.add({path});
  const std::string text(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 8));
  Query(Store(), text);
  return 0;
}
