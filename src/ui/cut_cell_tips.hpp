// A cell too narrow for its text shows the text cut; pointing at it shows the
// whole text in a tooltip. Cells whose model gives a tooltip of its own keep it.
#pragma once

#include <QObject>

class QAbstractItemView;

class CutCellTips : public QObject {
  Q_OBJECT

 public:
  // Watches the view's viewport; a child of the view.
  explicit CutCellTips(QAbstractItemView* view);

  // The text of the cell at a point of the viewport when the cell is too
  // narrow for it; empty when it fits or nothing is there.
  QString tipAt(const QPoint& point) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAbstractItemView* view_;
  // Kept from the start: while the view is being destroyed its viewport still
  // sends events, and the view can no longer be asked for it.
  QObject* viewport_;
};
