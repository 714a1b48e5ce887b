// Open As SysEx on any bytes: the scan, the message texts, the catalogue and
// the SysEx list display; and the receive filter fed the same bytes in pieces.
#include "workspace/catalogue.hpp"
#include "common/byte_buffer.hpp"
#include "formats/sysex_scan.hpp"
#include "formats/sysex_text.hpp"
#include "fuzz_support.hpp"
#include "sysex/sysex_collector.hpp"

using namespace patchlore;

namespace {

void ScanAndDescribe(Image image) {
  (void)SysexCount(image);
  const SysexScan scan(image);
  for (std::int64_t k = 0; k < scan.count(); ++k) {
    (void)scan.message(k);
    (void)SysexText(scan.bytes(k));
  }
  const SysexCatalogueRows rows(image);
  for (std::size_t r = 0; r < rows.count(); ++r) (void)rows.caption(r);
  (void)fuzz::TouchTexts(rows, DefaultCatalogueColumns().size());
}

// The first byte sets the size of the pieces the bytes arrive in.
void Receive(Image image) {
  if (image.empty()) return;
  const std::size_t piece = image[0] % 64 + 1;
  SysexCollector collector;
  for (std::size_t at = 1; at < image.size(); at += piece)
    collector.feed(image.subspan(at, std::min(piece, image.size() - at)));
  (void)SysexCount(collector.messages());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Image image(data, size);
  ScanAndDescribe(image);
  Receive(image);
  Workspace workspace;
  LoadListener nobody;
  const LoadResult added = workspace.addSysex(ByteBuffer::CopyOf(image), "/tmp/F.syx", "/tmp/F.syx", nobody);
  if (added) fuzz::ShowEveryRow(workspace, added->index, image.last(std::min<std::size_t>(size, 24)));
  return 0;
}
