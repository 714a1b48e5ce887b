#include "main_window/ui/window_arrangement.hpp"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "main_window/window_places.hpp"

namespace {

using patchlore::kCascadeStep;

std::int64_t AreaOf(const QRect& rect) {
  return rect.isValid() ? std::int64_t{rect.width()} * rect.height() : 0;
}

// Bounds of part i of n parts of length, so the parts cover it without gaps.
int PartStart(int length, int i, int n) { return length * i / n; }

}  // namespace

QRect AreaBeside(const QRect& screen, const QRect& occupied) {
  const QRect taken = occupied.intersected(screen);
  if (taken.isEmpty()) return screen;
  const QRect strips[] = {
      QRect(QPoint(taken.right() + 1, screen.top()), screen.bottomRight()),
      QRect(QPoint(screen.left(), taken.bottom() + 1), screen.bottomRight()),
      QRect(screen.topLeft(), QPoint(taken.left() - 1, screen.bottom())),
      QRect(screen.topLeft(), QPoint(screen.right(), taken.top() - 1)),
  };
  const QRect* best = std::max_element(std::begin(strips), std::end(strips),
                                       [](const QRect& a, const QRect& b) { return AreaOf(a) < AreaOf(b); });
  return AreaOf(*best) > 0 ? *best : screen;
}

QList<QRect> CascadePlaces(const QRect& area, int count) {
  const QSize size(area.width() * 2 / 3, area.height() * 2 / 3);
  QList<QRect> places;
  QPoint at = area.topLeft();
  for (int i = 0; i < count; ++i) {
    if (!area.contains(QRect(at, size))) at = area.topLeft();
    places << QRect(at, size);
    at += QPoint(kCascadeStep, kCascadeStep);
  }
  return places;
}

QList<QRect> TilePlaces(const QRect& area, int count, Qt::Orientation orientation, QSize minimum) {
  QList<QRect> places;
  if (count <= 0) return places;
  const bool stacked = orientation == Qt::Horizontal;
  // Along: the direction the strips follow each other; across: the other.
  const int along = stacked ? area.height() : area.width();
  const int smallest = std::max(1, stacked ? minimum.height() : minimum.width());
  const int perLine = std::clamp(along / smallest, 1, count);
  const int lines = (count + perLine - 1) / perLine;
  const int across = stacked ? area.width() : area.height();
  for (int i = 0; i < count; ++i) {
    const int line = i / perLine, inLine = std::min(perLine, count - line * perLine);
    const int k = i % perLine;
    const int a0 = PartStart(along, k, inLine), a1 = PartStart(along, k + 1, inLine);
    const int c0 = PartStart(across, line, lines), c1 = PartStart(across, line + 1, lines);
    places << (stacked ? QRect(area.left() + c0, area.top() + a0, c1 - c0, a1 - a0)
                       : QRect(area.left() + a0, area.top() + c0, a1 - a0, c1 - c0));
  }
  return places;
}

QList<QRect> LineUpPlaces(const QRect& area, const QList<QSize>& sizes) {
  QList<QRect> places;
  QPoint at = area.topLeft();
  int rowHeight = 0;
  for (const QSize& size : sizes) {
    if (at.x() > area.left() && at.x() + size.width() > area.right() + 1) {
      at = QPoint(area.left(), at.y() + rowHeight);
      rowHeight = 0;
    }
    places << QRect(at, size);
    at.rx() += size.width();
    rowHeight = std::max(rowHeight, size.height());
  }
  return places;
}
