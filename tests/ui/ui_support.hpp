// Small readers and drivers of the program's windows shared by the window tests.
#pragma once

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QStringList>
#include <QTableView>
#include <initializer_list>

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

// The texts of one row of a table view, column by column.
inline QStringList TableRowTexts(const QTableView* view, int row) {
  QStringList texts;
  for (int c = 0; c < view->model()->columnCount(); ++c)
    texts << view->model()->index(row, c).data().toString();
  return texts;
}

// "caption/width" of every column of a table view.
inline QStringList TableHeaders(const QTableView* view) {
  QStringList captions;
  for (int c = 0; c < view->model()->columnCount(); ++c)
    captions << view->model()->headerData(c, Qt::Horizontal).toString() + "/" +
                    QString::number(view->horizontalHeader()->sectionSize(c));
  return captions;
}

// Selects exactly these rows, whole.
inline void SelectTableRows(QTableView* view, std::initializer_list<int> rows) {
  view->clearSelection();
  for (const int row : rows)
    view->selectionModel()->select(view->model()->index(row, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
}
