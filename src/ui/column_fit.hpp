// Column widths that fit their contents: each column of a view is at least
// the width its table designs, wider where its caption or the text of one of
// the first rows needs it. Only the first kFitSampleRows rows are measured, so
// a table of a million rows costs no more than a small one. A width the user
// sets by hand (any resize not made here) stays with its caption, across new
// Shows too, until the view is gone.
#pragma once

#include <QObject>
#include <QString>
#include <map>

class QAbstractItemView;
class QHeaderView;
class TableModel;

constexpr int kFitSampleRows = 300;

class ColumnFit : public QObject {
  Q_OBJECT

 public:
  // Follows the model shown in view through header; both outlive nothing of
  // this object, which is a child of view.
  ColumnFit(QAbstractItemView* view, QHeaderView* header, TableModel* model);

  // The width a cell text needs in the view's font, margins included.
  int cellWidth(const QString& text) const;

 private:
  void fitAll();
  void fitRows(int first, int last);
  void apply(int column, int width);
  void remember(int column, int newSize);

  QAbstractItemView* view_;
  QHeaderView* header_;
  TableModel* model_;
  bool applying_ = false;
  std::map<QString, int> userWidths_;  // by caption
};
