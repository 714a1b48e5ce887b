#include "viewer/ui/keyboard_map_pane.hpp"

#include <QMouseEvent>
#include <QPainter>

#include "viewer/ui/keyboard_map_picture.hpp"

namespace {
constexpr int kMinimumWidth = 150;
constexpr int kMinimumHeight = 80;
}  // namespace

KeyboardMapPane::KeyboardMapPane(QWidget* parent) : QWidget(parent) {
  setObjectName("KeyboardMap");
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize KeyboardMapPane::minimumSizeHint() const { return {kMinimumWidth, kMinimumHeight}; }

void KeyboardMapPane::showMap(std::optional<patchlore::KeyboardMap> map, std::optional<std::size_t> row) {
  map_ = std::move(map);
  highlighted_ = map_ && row ? map_->barOfRow(*row) : std::nullopt;
  update();
}

void KeyboardMapPane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!map_) {
    painter.fillRect(rect(), palette().window());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, "Select a row to see its keyboard map.");
    return;
  }
  PaintKeyboardMap(painter, *map_, size(), highlighted_);
}

void KeyboardMapPane::mousePressEvent(QMouseEvent* event) {
  if (!map_ || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const patchlore::MapLayout layout = patchlore::LayOutMap(*map_, width(), height());
  const QPointF at = event->position();
  if (const auto bar = layout.barAt(at.x(), at.y())) emit rowClicked(static_cast<int>(map_->bars[*bar].row));
}
