// Small readers and drivers of the program's windows shared by the window tests.
#pragma once

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QStringList>
#include <QTableView>
#include <algorithm>
#include <vector>

// Every top-level window of the kind T that exists now.
template <typename T>
QList<T*> TopLevel() {
  QList<T*> windows;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<T*>(widget)) windows << window;
  return windows;
}

// The component of the window with that object name; the test stops without one.
template <typename T>
T* Child(QWidget* window, const char* name) {
  T* found = window->findChild<T*>(name);
  if (!found) qFatal("no component %s", name);
  return found;
}

inline QStringList ListLines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  return lines;
}

// The texts of one row of a table or tree view, column by column.
inline QStringList TableRowTexts(const QAbstractItemView* view, int row) {
  QStringList texts;
  for (int c = 0; c < view->model()->columnCount(); ++c)
    texts << view->model()->index(row, c).data().toString();
  return texts;
}

// The caption of every column of a view.
inline QStringList TableHeaders(const QAbstractItemView* view) {
  QStringList captions;
  for (int c = 0; c < view->model()->columnCount(); ++c)
    captions << view->model()->headerData(c, Qt::Horizontal).toString();
  return captions;
}

// Selects exactly these rows, whole.
inline void SelectTableRows(QAbstractItemView* view, const std::vector<int>& rows) {
  view->clearSelection();
  for (const int row : rows)
    view->selectionModel()->select(view->model()->index(row, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// The rows selected in a view, in order.
inline QList<int> SelectedRows(const QAbstractItemView* view) {
  QList<int> rows;
  for (const QModelIndex& index : view->selectionModel()->selectedRows()) rows << index.row();
  std::sort(rows.begin(), rows.end());
  return rows;
}

// The middle of a row's first cell, in the view's viewport.
inline QPoint RowCenter(const QAbstractItemView* view, int row) {
  return view->visualRect(view->model()->index(row, 0)).center();
}
