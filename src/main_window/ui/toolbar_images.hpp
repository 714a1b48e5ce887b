// The pictures of the main window's toolbar and commands, by their index in
// the toolbar's image list.
#pragma once

#include <QIcon>

class QStyle;

enum class ToolbarImage {
  Cut = 0,
  Copy = 1,
  Paste = 2,
  New = 6,
  Open = 7,
  Save = 8,
  Compare = 12,
  TileHorizontally = 15,
  TileVertically = 16,
  Cascade = 17,
  BankCopy = 18,
};

// The desktop theme's picture where it has one, else the style's standard
// one; cut, copy and paste, which no style draws, are our own drawings.
QIcon ToolbarIcon(ToolbarImage image, const QStyle* style);
