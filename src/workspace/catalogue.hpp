// The object catalogue of a loaded file: what an object browser window
// (ObjectBrowserWindow) shows, one row per bank, song or message, and beside each row
// its descriptor line (a label, "=", the object's offset as 8 hex digits).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/result.hpp"
#include "common/services.hpp"
#include "common/bytes.hpp"
#include "common/table.hpp"
#include "formats/sysex_scan.hpp"

namespace patchlore {

// Catalogue rows computed when they are shown, for lists too long to hold as
// texts: millions of SysEx messages, millions of differing bytes.
class ComputedRows {
 public:
  virtual ~ComputedRows() = default;
  virtual std::size_t count() const = 0;
  // Column 0 is the row's caption.
  virtual std::string text(std::size_t row, std::size_t column) const = 0;
  // The OffsetBox line of a row.
  virtual std::string descriptorLine(std::size_t row) const = 0;
  // The offset of the object a row lists; nothing for rows of no object.
  virtual std::optional<std::int64_t> objectOffset(std::size_t /*row*/) const { return std::nullopt; }
  // The word that names a row's kind of object; empty for rows no viewer shows.
  virtual std::string kindWord(std::size_t /*row*/) const { return {}; }
};

// The messages of a SysEx file as catalogue rows, computed from the image and
// its index of message positions: a file of millions of messages costs eight
// bytes a message, never a text per row. The image must outlive the rows (a
// registry image does: entries are never removed).
class SysexCatalogueRows : public ComputedRows {
 public:
  explicit SysexCatalogueRows(Image image);

  std::size_t count() const override { return static_cast<std::size_t>(scan_.count()); }
  // "Sysex " and the hex of the first 6 bytes (all of a shorter message).
  std::string caption(std::size_t row) const;
  // Caption, number from 1, SysexText, offset as 8 hex digits, length.
  std::string text(std::size_t row, std::size_t column) const override;
  // The caption, "=" and the offset as 8 hex digits.
  std::string descriptorLine(std::size_t row) const override;
  // The offset of the message's $F0.
  std::optional<std::int64_t> objectOffset(std::size_t row) const override;
  // "Sysex".
  std::string kindWord(std::size_t row) const override;

 private:
  SysexScan scan_;
};

struct Catalogue : RowSource {
  std::string caption;                 // «2:PCG KORG KRONOS (bytes:6345230) \FACTORY.PCG»
  int fileIndex = -1;                  // the registry index of the file listed
  Table list;                          // ListView1: its columns, and the rows of banks and songs
  std::vector<std::string> offsetBox;  // line k belongs to row k of list
  std::vector<std::int64_t> objectOffsets;  // the offset of the object of row k, which offsetBox shows
  // The word naming the kind of object of row k, the first word of its
  // caption: "SetList", "Prog", "Combi", "Drum", "Wave" or "Song".
  std::vector<std::string> kindWords;
  // Rows computed when shown (a SysEx file's messages, the differences of a
  // comparison), in place of list's rows and offsetBox.
  std::shared_ptr<const ComputedRows> computed;
  std::string msg = "Msg";             // the top label
  // False for a plain list whose rows no viewer shows (a comparison): its
  // window has no "View" command.
  bool opensViewers = true;
  int counter = 0;                     // CatalogueCounter when it was built

  // Every row, whichever way it is held.
  const std::vector<TableColumn>& columns() const override { return list.columns; }
  std::size_t rowCount() const override;
  std::string text(std::size_t row, std::size_t column) const override;
  // The OffsetBox line of a row; empty past the last.
  std::string descriptorLine(std::size_t row) const;
  // The offset of the object of a row; nothing past the last row and for
  // rows of no object.
  std::optional<std::int64_t> objectOffset(std::size_t row) const;
  // The kind word of a row; empty past the last row and for rows no viewer shows.
  std::string kindWord(std::size_t row) const;
  // The first row whose object lies at offset (a bank, a set list chunk, a
  // song); nothing when no row lists it.
  std::optional<std::size_t> rowOfObject(std::int64_t offset) const;
};

// The browser's designed position and size.
constexpr int kCatalogueDesignLeft = 192;
constexpr int kCatalogueDesignTop = 114;
constexpr int kCatalogueDesignWidth = 488;
constexpr int kCatalogueDesignHeight = 234;

struct WindowPlace {
  int left;
  int top;
  bool operator==(const WindowPlace&) const = default;
};

// Each catalogue after the first is moved 16 pixels right and down from the
// designed position, wrapping within the screen.
WindowPlace CataloguePlacement(int counter, int screenWidth, int screenHeight,
                               int left = kCatalogueDesignLeft, int top = kCatalogueDesignTop);

// "Object" 80, "Index", "Name" 100, "Type", "Count".
std::vector<TableColumn> DefaultCatalogueColumns();

// The "SNG1" chunk whose songs an SNG image lists, once it is found where the
// preamble points and its length agrees with the image; else the failure
// text for the status label, naming the file.
Result<std::int64_t> SongsChunk(Image image, const std::string& fileNameForErrors);

// The rows of an SNG image, one per song chunk, with the song columns. A
// check that stops the build fails with its text for the status label and
// adds no row; the file name is the one those texts name.
Status AddSongRows(Image image, Catalogue& catalogue, const std::string& fileNameForErrors);

// The columns of a SysEx file's catalogue, and its rows, one per message.
void SetSysexRows(Image image, Catalogue& catalogue);

// The rows of a PCG image, one per set list, program, combination, drum kit
// and wave sequence bank; pending events are let in before each bank row. No
// row without "PCG1" at 16; a length check that fails is the failure.
Status AddBankRows(Image image, Catalogue& catalogue, Reporter& reporter);

}  // namespace patchlore
