// The Open command: read a file whole, recognise a PCG or SNG file of a
// KRONOS or an OASYS, and append it to the registry. Every step tells
// itself to the listener; every check is made before anything is added.
#include "common/bytes.hpp"
#include "common/cp1251.hpp"
#include "common/file_io.hpp"
#include "formats/chunks.hpp"
#include "formats/sng.hpp"
#include "workspace/workspace.hpp"

namespace patchlore {

namespace {

std::string FormatError(int number, const std::string& text) {
  return "Format ERROR" + std::to_string(number) + "." + text;
}

class OpenCommand {
 public:
  OpenCommand(Registry& registry, LoadListener& listener, std::string path)
      : registry_(registry), listener_(listener), path_(std::move(path)), name_(Utf8ToCp1251(NameOf(path_))) {}

  LoadResult run() {
    listener_.step(" Read file  " + bracketed());
    listener_.pump();
    ReadResult read = ReadWholeFile(path_, [this](std::int64_t done, std::int64_t total) {
      listener_.progress({true, total, done});
      listener_.pump();
    });
    if (read || read.failure().opened()) listener_.step(" Close file " + bracketed());
    listener_.step(" Finally read " + bracketed());
    if (!read && read.failure().problem == ReadProblem::TooLarge) return refuseTooLarge(read.failure().fileSize);
    // A file that could not be read is checked as an empty one, and so
    // refused with the header error; the log says why it was not read.
    if (read) buffer_ = std::move(*read);
    else reason_ = Utf8ToCp1251(read.failure().text);

    const std::string m = "Open file <" + name_ + ">" + " Bytes:" + std::to_string(n());
    listener_.step(m + ": Type checking...");
    type_ = "Type not defined";
    listener_.progress({true, n(), 0});
    listener_.caption(std::string(kBaseCaption) + m);
    listener_.clearLog();
    listener_.logLine(std::string(kBaseCaption) + m);
    if (!reason_.empty()) listener_.logLine(std::string(kBaseCaption) + reason_);
    if (!recognise()) return refusal();
    return addToRegistry();
  }

 private:
  bool recognise() {
    const std::string header = BytesText(image(), 0, 4);
    unknownHeader_ = header != "KORG";
    if (unknownHeader_)
      return fail(FormatError(-1, " Unknown file_Header'" + TrimRight(header) + "'" + " - must be '" + "KORG" + "'"));
    if (n() < 5) return fail(FormatError(-2, " Missing Model_ID_Byte"));
    const std::uint8_t modelByte = image()[4];
    if (!IsKnownModel(modelByte))
      return fail(FormatError(-3, "Unknown Model_ID<" + HexText(BytesText(image(), 4, 1)) + ">" + " of " + "KORG"));
    model_ = ModelOfByte(modelByte);
    modelName_ = ModelName(modelByte);
    type_ = "Type of file not defined for KORG " + modelName_;
    if (n() < 24) return fail(FormatError(-4, " " + type_));
    return recogniseKind();
  }

  bool recogniseKind() {
    const std::int64_t p = FindText("PCG1", image());
    // With "PCG1" in its place, where "SNG1" lies decides nothing: a whole
    // backup is not searched for it.
    std::int64_t s = p == kPcg1Offset ? -1 : FindText("SNG1", image());
    if (p == -1 && s == -1) return fail(FormatError(-5, type_ + "Unknown file_Type: not SNG and not PCG. "));
    if (p > 0) {
      if (s > p && p != kPcg1Offset)
        return fail(FormatError(-6, type_ + ": Invalid PCG. offsetPCG1 must be $00000010"));
      kind_ = FileKind::Pcg;
    }
    if (!kind_ && s >= 1) {
      const std::int64_t o = SngPosition(image());
      if (BytesText(image(), o, 4) != "SNG1") {
        closing_ = "Format ERROR  : SNG1 missing " + name_;
        return false;
      }
      s = o;
      kind_ = FileKind::Sng;
    }
    if (!kind_) return fail(FormatError(-5, type_ + "Unknown file_Type: not SNG and not PCG. "));
    if (kind_ == FileKind::Sng && !SngLengthMatches(image(), s)) {
      listener_.step("Format ERROR  Invalid length of SNG1_Data:" + name_);
      type_ = finalType();
      return fail(FormatError(-10, type_ + " Invalid length of SNG1_Data:" + HexText(BytesText(image(), s + 4, 4))));
    }
    type_ = finalType();
    return true;
  }

  LoadResult addToRegistry() {
    listener_.step("Type of file not defined for KORG " + modelName_ + " Alloc in Memory " + bracketed());
    listener_.step("Copy Buffer to PCList.Items[" + std::to_string(registry_.count()) + "]");
    if (kind_ == FileKind::Sng) listener_.step(type_ + " SNG defined " + bracketed());
    if (kind_ == FileKind::Pcg) {
      listener_.step(type_ + " PCG defined " + bracketed());
      listener_.progress({true, n(), 0});
      if (registry_.linkedPcgIndex() == -1) registry_.setLinkedPcgIndex(registry_.count());
    }
    listener_.step(type_ + " end of reading " + bracketed());
    const std::int64_t size = n();
    const int index = registry_.add(std::move(buffer_), path_, {*kind_, model_, type_});
    listener_.added(index);
    listener_.progress({false, size, size});
    listener_.logLine(std::string(kBaseCaption) + " ---End of File--- <" + name_ + ">");
    return LoadedEntry{index, type_ + " load from file" + bracketed()};
  }

  LoadResult refuseTooLarge(std::int64_t size) {
    closing_ = "ERROR: File too large <" + name_ + "> Bytes:" + std::to_string(size) + "; at most " +
               std::to_string(kLargestLoadableFile) + " bytes can be loaded";
    listener_.clearLog();
    listener_.logLine(std::string(kBaseCaption) + closing_);
    return refusal();
  }

  LoadResult refusal() {
    LoadRefusal refused{closing_, unknownHeader_, {}, reason_};
    if (unknownHeader_) refused.bytes = std::move(buffer_);
    return refused;
  }

  bool fail(std::string error) {
    closing_ = std::move(error);
    listener_.logLine(std::string(kBaseCaption) + closing_);
    return false;
  }

  std::string finalType() const {
    return std::string(kind_ == FileKind::Sng ? "SNG" : "PCG") + " " + "KORG" + " " + modelName_;
  }
  std::string bracketed() const { return "<" + name_ + ">"; }
  Image image() const { return buffer_.bytes(); }
  std::int64_t n() const { return buffer_.size(); }

  Registry& registry_;
  LoadListener& listener_;
  std::string path_;
  std::string name_;
  // Read once from the file; after every check has passed this buffer itself
  // becomes the registry's image, so the bytes are never copied again.
  ByteBuffer buffer_;
  Model model_ = Model::None;
  std::string modelName_;
  std::string type_;
  std::optional<FileKind> kind_;
  std::string closing_;
  bool unknownHeader_ = false;
  std::string reason_;  // why the file was not read
};

}  // namespace

LoadResult Workspace::openFile(const std::string& path, LoadListener& listener) {
  return OpenCommand(registry_, listener, path).run();
}

LoadResult Workspace::openFile(const std::string& path) {
  LoadListener silent;
  return openFile(path, silent);
}

}  // namespace patchlore
