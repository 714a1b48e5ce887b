// The object catalogue of a loaded file: what an object browser window
// (TFormOpen) shows, one row per bank, song or message, and beside each row
// its descriptor line (a label, "=", the object's offset as 8 hex digits).
#pragma once

#include <string>
#include <vector>

#include "viewer/table.hpp"

namespace patchlore {

struct Catalogue {
  std::string caption;                 // «2:PCG KORG KRONOS (bytes:6345230) \FACTORY.PCG»
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

}  // namespace patchlore
