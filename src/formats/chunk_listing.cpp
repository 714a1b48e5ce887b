#include "formats/chunk_listing.hpp"

#include "formats/chunks.hpp"
#include "formats/sng.hpp"

namespace patchlore {

namespace {

// "контроль длины файла" (file length check), in Windows-1251.
const std::string kFileLengthCheckLabel =
    "\xEA\xEE\xED\xF2\xF0\xEE\xEB\xFC \xE4\xEB\xE8\xED\xFB \xF4\xE0\xE9\xEB\xE0";

struct Verdict {
  std::string model = "not KORG";
  std::string kind = "Undefined type of file: not PCG and not SNG ***";
  std::string error;
};

class Listing {
 public:
  Listing(Image image, std::vector<std::string>& lines) : image_(image), lines_(lines) {}

  void pcgSection(Verdict& verdict) {
    add("*** PCG List ***");
    verdict.kind = "PCG";
    add("offset=00000010  " + hex(20, 4) + "  +00000010+$1C=" +
        Hex8(std::int64_t{ReadClippedS32BE(image_, 20)} + kFirstPcgChild) + "; FileLength=" + Hex8(n()));
    add("");
    ChunkWalker walk(image_, kFirstPcgChild);
    for (; walk.atChunk(); walk.next())
      add("offset=" + Hex8(walk.offset()) + " / " + "   " + hex(walk.offset(), 8) + " - " +
          chars(walk.offset(), 4));
    add("offset=" + Hex8(walk.offset()) + " / " + "; FileLength=" + Hex8(n()));
    if (walk.complete())
      add("*** PCG List End ***");
    else
      verdict.error = "- ERROR2: PCG uncorrect length";
  }

  void sngSection(Verdict& verdict) {
    add("*** SNG List ***");
    row16(0);
    row16(16);
    add("*** " + hex(24, 4) + "; " + kFileLengthCheckLabel + " " + Hex8(n()));
    add("*** " + Hex8(40) + " " + hex(40, 4) + " SongCount=" + std::to_string(SongCount(image_)));
    const std::int64_t L = ReadClippedS32BE(image_, 32);
    add("*** " + Hex8(32) + " " + hex(32, 4) + " *** " + Hex8(32) + "+4+" + Hex8(L) + "=" +
        Hex8(36 + L));
    const std::int64_t o = 36 + L;
    if (chars(o, 4) != "SNG1") return;
    verdict.kind = "SNG";
    row16(o);
    row16(o + 12);
    const std::int64_t d = o + 12;
    if (chars(d, 4) != "SDK1") {
      verdict.error = "SDK1 missing";
      return;
    }
    const std::int64_t S = ReadClippedS32BE(image_, d + 4);
    add("*** " + Hex8(d) + " " + hex(d + 4, 4) + " *** " + Hex8(d) + "+" + Hex8(S) + "=" +
        Hex8(d + 12 + S));
    const std::int64_t g = d + 12 + S;
    if (chars(g, 4) != "SGS1") {
      verdict.error = "SGS1 missing";
      return;
    }
    row16(g);
    row16(g + 12);
    if (chars(g + 12, 4) != "SDT1") {
      verdict.error = "SDT1 missing";
      return;
    }
    const int m = SongCount(image_);
    add("    SongCount=" + std::to_string(m));
    for (int i = 0; i < m; ++i)
      add(ZeroPad(i, 3) + "; " + "S" + ZeroPad(SongNumber(image_, i), 3) + "; Song<" +
          SongName(image_, o, i) + ">");
    add("*** SNG List End ***");
  }

  void row16(std::int64_t a) { add("*** " + Hex8(a) + " " + hex(a, 16) + " " + chars(a, 4)); }
  std::string hex(std::int64_t at, std::int64_t count) const {
    return HexText(BytesText(image_, at, count));
  }
  std::string chars(std::int64_t at, std::int64_t count) const {
    return BytesText(image_, at, count);
  }
  void add(std::string line) { lines_.push_back(std::move(line)); }
  std::int64_t n() const { return static_cast<std::int64_t>(image_.size()); }

 private:
  Image image_;
  std::vector<std::string>& lines_;
};

}  // namespace

std::vector<std::string> CheckPcgListing(const std::string& path, Image image) {
  std::vector<std::string> lines;
  Listing listing(image, lines);
  const auto n = static_cast<std::int64_t>(image.size());
  lines.push_back(path);
  lines.push_back("Bytes:" + std::to_string(n) + "; hex=" + Hex8(n));
  lines.push_back("offset=00000000  " + listing.hex(0, 16) + " - " + listing.chars(0, 16));
  lines.push_back("offset=00000010  " + listing.hex(16, 16) + " - " + listing.chars(16, 16));
  lines.push_back("");

  Verdict verdict;
  if (listing.chars(0, 4) == "KORG") {
    verdict.model = "KORG undefined Model";
    if (n > 4 && IsKnownModel(image[4])) {
      verdict.model = "KORG " + ModelName(image[4]);
      if (listing.chars(16, 4) == "PCG1")
        listing.pcgSection(verdict);
      else if (n < 43)
        verdict.error = "- ERROR3: uncorrect length (very short)";
      else
        listing.sngSection(verdict);
    }
  }
  lines.push_back("Type of file=" + verdict.model + " " + verdict.kind + " " + verdict.error);
  return lines;
}

}  // namespace patchlore
