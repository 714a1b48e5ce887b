#include "app/ui/window_arrangement.hpp"

namespace {

// About the height of a title bar, so each cascaded caption stays readable.
constexpr int kCascadeStep = 24;

}  // namespace

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

QList<QRect> TilePlaces(const QRect& area, int count, Qt::Orientation orientation) {
  QList<QRect> places;
  if (count <= 0) return places;
  const bool stacked = orientation == Qt::Horizontal;
  const int length = stacked ? area.height() : area.width();
  for (int i = 0; i < count; ++i) {
    // Integer bounds of strip i, so the strips cover the area without gaps.
    const int begin = length * i / count;
    const int end = length * (i + 1) / count;
    places << (stacked ? QRect(area.left(), area.top() + begin, area.width(), end - begin)
                       : QRect(area.left() + begin, area.top(), end - begin, area.height()));
  }
  return places;
}
