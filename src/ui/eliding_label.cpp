#include "ui/eliding_label.hpp"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>
#include <algorithm>

#include "ui/widgets.hpp"

namespace {

const QString kEllipsis(QChar(0x2026));

}  // namespace

ElidingLabel::ElidingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
}

// The room QLabel leaves for its text inside the frame, margins and indent.
int ElidingLabel::textWidth() const {
  int indent = this->indent();
  if (indent < 0) indent = frameWidth() > 0 ? fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 : 0;
  return contentsRect().width() - 2 * margin() - indent;
}

QString ElidingLabel::shownText() const {
  return fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, textWidth()));
}

QSize ElidingLabel::minimumSizeHint() const {
  QSize size = QLabel::minimumSizeHint();
  const int least = fontMetrics().horizontalAdvance(kEllipsis) + 2 * margin() + 2 * frameWidth();
  size.setWidth(std::min(size.width(), least));
  return size;
}

bool ElidingLabel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
    if (elided())
      QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    else
      QToolTip::hideText();
    return true;
  }
  return QLabel::event(event);
}

// A text that fits is QLabel's to draw, so selecting it still works.
void ElidingLabel::paintEvent(QPaintEvent* event) {
  const QString shown = shownText();
  if (shown == text()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  drawFrame(&painter);
  const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
  style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                        isEnabled(), shown, foregroundRole());
}

ElidingLabel* StatusLabel(const char* name, const QString& text, QWidget* parent) {
  return Named(new ElidingLabel(text, parent), name);
}
