// Column widths that fit their contents: each column of a view is at least
// the width its table designs, wider where its caption or the text of one of
// the first rows needs it. Only the first kFitSampleRows rows are measured, so
// a table of a million rows costs no more than a small one. A width the user
// sets by hand (any resize not made here) stays with its caption, across new
// Shows too, until the view is gone.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <map>

class QAbstractItemView;
class QHeaderView;
class TableModel;

constexpr int kFitSampleRows = 300;

class ColumnFit : public QObject {
  Q_OBJECT

 public:
  // Follows the model shown in view, sizing the sections of its header. It
  // is a child of view; the model may go first (a window's children go in
  // the order they were made), after which nothing is measured or kept.
  ColumnFit(QAbstractItemView* view, QHeaderView* header, TableModel* model);

 private:
  // The width a cell text needs in the view's font, margins included.
  int cellWidth(const QString& text) const;
  void fitAll();
  void fitRows(int first, int last);
  void apply(int column, int width);
  void remember(int column, int newSize);

  QAbstractItemView* view_;
  QHeaderView* header_;
  QPointer<TableModel> model_;
  bool applying_ = false;
  std::map<QString, int> userWidths_;  // by caption
};
