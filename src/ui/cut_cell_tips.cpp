#include "ui/cut_cell_tips.hpp"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

CutCellTips::CutCellTips(QAbstractItemView* view) : QObject(view), view_(view), viewport_(view->viewport()) {
  viewport_->installEventFilter(this);
}

// The delegate's size hint holds the text with the cell's margins and icon.
QString CutCellTips::tipAt(const QPoint& point) const {
  const QModelIndex index = view_->indexAt(point);
  if (!index.isValid()) return {};
  if (view_->sizeHintForIndex(index).width() <= view_->visualRect(index).width()) return {};
  return index.data(Qt::DisplayRole).toString();
}

bool CutCellTips::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip || watched != viewport_) return false;
  auto* help = static_cast<QHelpEvent*>(event);
  if (view_->indexAt(help->pos()).data(Qt::ToolTipRole).isValid()) return false;  // the model's own tip
  const QString tip = tipAt(help->pos());
  if (tip.isEmpty())
    QToolTip::hideText();
  else
    QToolTip::showText(help->globalPos(), tip, view_->viewport(), view_->visualRect(view_->indexAt(help->pos())));
  return true;
}
