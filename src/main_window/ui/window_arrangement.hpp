// Places for the main window's child windows, which are independent top-level
// windows: cascaded from the top left corner of an area, tiled over it, or
// lined up in it. The area is the part of the screen the main window leaves
// free, so that its menu stays reachable.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// The largest of the strips of screen right of, below, left of and above
// occupied; the whole screen when occupied is not on it.
QRect AreaBeside(const QRect& screen, const QRect& occupied);

// Each window two thirds of the area, each one step lower and further right;
// a window that would leave the area starts again at the corner.
QList<QRect> CascadePlaces(const QRect& area, int count);

// Qt::Horizontal: strips one above the other ("Tile Horizontally");
// Qt::Vertical: columns side by side ("Tile Vertically"). Where the strips
// would be smaller than minimum (the largest minimum size of the windows),
// they are split into rows of as many as fit, so that no window covers another.
QList<QRect> TilePlaces(const QRect& area, int count, Qt::Orientation orientation,
                        QSize minimum = QSize());

// The windows at their sizes, side by side from the area's top left corner,
// a new row below the tallest of a row where the next would leave the area.
QList<QRect> LineUpPlaces(const QRect& area, const QList<QSize>& sizes);
