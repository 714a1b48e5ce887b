// The Open command: read a chosen file whole, recognise a PCG or SNG file of
// a KRONOS or an OASYS, and append it to the registry. Every step reports
// itself in the status label; every check is made before anything is added.
#include <cstring>

#include "common/file_io.hpp"
#include "app/main_window_core.hpp"
#include "common/bytes.hpp"
#include "formats/chunks.hpp"
#include "common/cp1251.hpp"
#include "formats/sng.hpp"

namespace patchlore {

namespace {

std::string FormatError(int number, const std::string& text) {
  return "Format ERROR" + std::to_string(number) + "." + text;
}

}  // namespace

class MainWindowCore::OpenCommand {
 public:
  OpenCommand(MainWindowCore& window, std::string path)
      : w_(window), path_(std::move(path)), name_(Utf8ToCp1251(NameOf(path_))) {}

  // Steps 2 to 16; the closing text is left in closing_.
  void run() {
    w_.setActionMsg(" Read file  " + bracketed());
    w_.reporter_.pump();
    ReadResult read = ReadWholeFile(path_, [this](std::int64_t done, std::int64_t total) {
      w_.setProgress({true, total, done});
      w_.reporter_.pump();
    });
    if (read || read.failure().opened()) w_.setActionMsg(" Close file " + bracketed());
    w_.setActionMsg(" Finally read " + bracketed());
    if (!read && read.failure().problem == ReadProblem::TooLarge)
      return refuseTooLarge(read.failure().fileSize);
    // A file that could not be read is checked as an empty one, and so
    // refused with the header error.
    if (read) buffer_ = std::move(*read);
    n_ = buffer_.size();

    const std::string m = "Open file <" + name_ + ">" + " Bytes:" + std::to_string(n());
    w_.setActionMsg(m + ": Type checking...");
    type_ = "Type not defined";
    w_.setProgress({true, n(), 0});
    w_.setCaption(std::string(kBaseCaption) + m);
    w_.clearView();
    w_.addViewLine(std::string(kBaseCaption) + m);
    if (recognise()) addToRegistry();
  }

  const std::string& closing() const { return closing_; }
  bool added() const { return added_; }
  // Refused with Format ERROR-1: the file does not begin with "KORG".
  bool unknownHeader() const { return unknownHeader_; }
  // The bytes read, once the command has refused them.
  ByteBuffer takeRefusedImage() { return added_ ? ByteBuffer() : std::move(buffer_); }

 private:
  bool recognise() {
    const std::string header = BytesText(image(), 0, 4);
    unknownHeader_ = header != "KORG";
    if (unknownHeader_)
      return fail(FormatError(-1, " Unknown file_Header'" + TrimRight(header) + "'" +
                                      " - must be '" + "KORG" + "'"));
    if (n() < 5) return fail(FormatError(-2, " Missing Model_ID_Byte"));
    const std::uint8_t modelByte = image()[4];
    if (!IsKnownModel(modelByte))
      return fail(FormatError(-3, "Unknown Model_ID<" + HexText(BytesText(image(), 4, 1)) + ">" +
                                      " of " + "KORG"));
    model_ = ModelName(modelByte);
    type_ = "Type of file not defined for KORG " + model_;
    if (n() < 24) return fail(FormatError(-4, " " + type_));

    const std::int64_t p = FindText("PCG1", image());
    std::int64_t s = FindText("SNG1", image());
    if (p == -1 && s == -1)
      return fail(FormatError(-5, type_ + "Unknown file_Type: not SNG and not PCG. "));
    if (p > 0) {
      if (s > p && p != kPcg1Offset)
        return fail(FormatError(-6, type_ + ": Invalid PCG. offsetPCG1 must be $00000010"));
      kind_ = "PCG";
    }
    if (kind_.empty() && s >= 1) {
      const std::int64_t o = SngPosition(image());
      if (BytesText(image(), o, 4) != "SNG1") {
        closing_ = "Format ERROR  : SNG1 missing " + name_;
        return false;
      }
      s = o;
      kind_ = "SNG";
    }
    if (kind_ == "SNG" && !SngLengthMatches(image(), s)) {
      w_.setActionMsg("Format ERROR  Invalid length of SNG1_Data:" + name_);
      type_ = finalType();
      return fail(FormatError(-10, type_ + " Invalid length of SNG1_Data:" +
                                       HexText(BytesText(image(), s + 4, 4))));
    }
    type_ = finalType();
    return true;
  }

  void addToRegistry() {
    w_.setActionMsg("Type of file not defined for KORG " + model_ + " Alloc in Memory " +
                    bracketed());
    w_.setActionMsg("Copy Buffer to PCList.Items[" + std::to_string(w_.registry_.count()) + "]");
    if (kind_ == "SNG") w_.setActionMsg(type_ + " SNG defined " + bracketed());
    if (kind_ == "PCG") {
      w_.setActionMsg(type_ + " PCG defined " + bracketed());
      w_.setProgress({true, n(), 0});
      if (w_.registry_.linkedPcgIndex() == -1)
        w_.registry_.setLinkedPcgIndex(w_.registry_.count());
    }
    w_.setActionMsg(type_ + " end of reading " + bracketed());
    w_.registry_.add(std::move(buffer_), path_, type_);
    w_.reporter_.changed(MainWindowPart::Rows);
    w_.setProgress({false, n(), n()});
    w_.addViewLine(std::string(kBaseCaption) + " ---End of File--- <" + name_ + ">");
    closing_ = type_ + " load from file" + bracketed();
    added_ = true;
  }

  void refuseTooLarge(std::int64_t size) {
    closing_ = "ERROR: File too large <" + name_ + "> Bytes:" + std::to_string(size) +
               "; at most " + std::to_string(kLargestLoadableFile) + " bytes can be loaded";
    w_.clearView();
    w_.addViewLine(std::string(kBaseCaption) + closing_);
  }

  bool fail(std::string error) {
    closing_ = std::move(error);
    w_.addViewLine(std::string(kBaseCaption) + closing_);
    return false;
  }

  std::string finalType() const { return kind_ + " " + "KORG" + " " + model_; }
  std::string bracketed() const { return "<" + name_ + ">"; }
  Image image() const { return buffer_.bytes(); }
  std::int64_t n() const { return n_; }

  MainWindowCore& w_;
  std::string path_;
  std::string name_;
  // Read once from the file; after every check has passed this buffer itself
  // becomes the registry's image, so the bytes are never copied again.
  ByteBuffer buffer_;
  std::int64_t n_ = 0;
  std::string model_;
  std::string type_;
  std::string kind_;
  std::string closing_;
  bool added_ = false;
  bool unknownHeader_ = false;
};

Result<int> MainWindowCore::openFile() {
  const Result<std::string> path = startLoad();
  if (!path) return path.failure();
  return openChosenFile(*path);
}

Result<int> MainWindowCore::openFileAt(const std::string& path) {
  if (state_.loadRunning) return Failure{"Another file is being loaded"};  // one load at a time
  setLoadRunning(true);
  return openChosenFile(path);
}

Result<int> MainWindowCore::openChosenFile(const std::string& path, ByteBuffer* unknownHeader) {
  OpenCommand command(*this, path);
  command.run();
  if (unknownHeader && command.unknownHeader()) *unknownHeader = command.takeRefusedImage();
  endLoad();
  setActionMsg(command.closing());
  const std::string please = "  Please, Open and try to Load file.";
  setMsgView(registry_.count() > 0 ? "  Loaded:" + std::to_string(registry_.count()) + "; " + please
                                   : please);
  if (!command.added()) return Failure{command.closing()};
  return registry_.count() - 1;
}

}  // namespace patchlore
