// Places for the main window's child windows, which are independent top-level
// windows: cascaded from the top left corner of an area, or tiled over it.
#pragma once

#include <QList>
#include <QRect>

// Each window two thirds of the area, each one step lower and further right;
// a window that would leave the area starts again at the corner.
QList<QRect> CascadePlaces(const QRect& area, int count);

// Qt::Horizontal: strips one above the other ("Tile Horizontally");
// Qt::Vertical: columns side by side ("Tile Vertically").
QList<QRect> TilePlaces(const QRect& area, int count, Qt::Orientation orientation);
