// The object catalogue of a loaded file: what an object browser window
// (ObjectBrowserWindow) shows, one row per bank, song or message, and beside each row
// its descriptor line (a label, "=", the object's offset as 8 hex digits).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/result.hpp"
#include "common/services.hpp"
#include "common/bytes.hpp"
#include "common/table.hpp"

namespace patchlore {

struct Catalogue {
  std::string caption;                 // «2:PCG KORG KRONOS (bytes:6345230) \FACTORY.PCG»
  int fileIndex = -1;                  // the registry index of the file listed
  Table list;                          // ListView1
  std::vector<std::string> offsetBox;  // line k belongs to row k
  std::string msg = "Msg";             // the top label
  int counter = 0;                     // CatalogueCounter when it was built
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

// The rows of an SNG image, one per song chunk, with the song columns. A
// check that stops the build fails with its text for the status label and
// adds no row; the file name is the one those texts name.
Status AddSongRows(Image image, Catalogue& catalogue, const std::string& fileNameForErrors);

// The rows of a PCG image, one per set list, program, combination, drum kit
// and wave sequence bank; pending events are let in before each bank row. No
// row without "PCG1" at 16; a length check that fails is the failure.
Status AddBankRows(Image image, Catalogue& catalogue, Reporter& reporter);

}  // namespace patchlore
