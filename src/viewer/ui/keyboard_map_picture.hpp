// The picture of a keyboard map: drawn with QPainter onto the pane, into an
// image for PNG or into SVG, all from the geometry the core lays out.
#pragma once

#include <QSize>
#include <QString>
#include <cstddef>
#include <optional>

#include "common/result.hpp"
#include "viewer/keyboard_map.hpp"

class QPainter;

// Draws the map filling size; the highlighted bar (the selected row's) is
// outlined and the keys it spans are tinted. A muted timbre or track is a
// hollow bar; a reversed zone is hatched.
void PaintKeyboardMap(QPainter& painter, const patchlore::KeyboardMap& map, QSize size,
                      std::optional<std::size_t> highlighted);

// Writes the picture to path: SVG when the name ends in ".svg" (any case),
// else PNG. A failed write leaves any file of that name as it was.
patchlore::Status SaveKeyboardMapPicture(const QString& path, const patchlore::KeyboardMap& map, QSize size,
                                         std::optional<std::size_t> highlighted);
