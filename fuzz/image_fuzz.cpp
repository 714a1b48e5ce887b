// The byte-level readers of a PCG or SNG image: the catalogue of each kind,
// the chunk listing, the checksum check and the patch walk.
#include "workspace/catalogue.hpp"
#include "formats/chunk_listing.hpp"
#include "formats/verify.hpp"
#include "fuzz_support.hpp"
#include "library/patch_walk.hpp"

using namespace patchlore;

namespace {

void ListCatalogues(Image image) {
  Reporter reporter;
  Catalogue banks;
  banks.list.columns = DefaultCatalogueColumns();
  (void)AddBankRows(image, banks, reporter);
  Catalogue songs;
  songs.list.columns = DefaultCatalogueColumns();
  (void)AddSongRows(image, songs, "F.SNG");
  Catalogue sysex;
  sysex.list.columns = DefaultCatalogueColumns();
  SetSysexRows(image, sysex);
  for (const Catalogue* catalogue : {&banks, &songs, &sysex})
    for (std::size_t r = 0; r < catalogue->rowCount(); ++r) {
      for (std::size_t c = 0; c < catalogue->columns().size(); ++c) (void)catalogue->text(r, c);
      (void)catalogue->descriptorLine(r);
    }
}

void Walk(Image image, FileKind kind) {
  const auto patches = WalkPatches(image, kind, "F");
  if (!patches) return;
  for (const PatchEntry& patch : *patches) (void)PatchBytes(image, patch);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Image image(data, size);
  ListCatalogues(image);
  (void)CheckPcgListing("F.PCG", image);
  if (const auto checks = VerifyChecksums(image))
    for (const ChecksumCheck& check : *checks) (void)VerifyLine(check);
  Walk(image, FileKind::Pcg);
  Walk(image, FileKind::Sng);
  return 0;
}
