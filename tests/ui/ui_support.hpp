// Small readers and drivers of the program's windows shared by the window tests.
#pragma once

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <string>
#include <vector>

#include "main_window/ui/main_window.hpp"
#include "support/fakes.hpp"
#include "viewer/ui/object_browser_window.hpp"
#include "viewer/ui/viewer_window.hpp"

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

// ---- from a file to its viewers, the way a user goes ------------------------

// Loads the file at path with Open, the open dialog answering with it.
inline void OpenFile(MainWindow& form, patchlore::test::FakeDialogs& dialogs, const std::string& path) {
  dialogs.openAnswers.push_back(path);
  Child<QAction>(&form, "FileOpen1")->trigger();
}

// Double-clicks the row of OpenList with only that row selected: the
// catalogue window it opened; the test stops unless exactly one opened.
inline ObjectBrowserWindow* OpenCatalogueOfRow(MainWindow& form, int row) {
  auto* files = Child<QTreeView>(&form, "OpenList");
  SelectTableRows(files, {row});
  const QList<ObjectBrowserWindow*> before = TopLevel<ObjectBrowserWindow>();
  QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, RowCenter(files, row));
  QList<ObjectBrowserWindow*> opened;
  for (ObjectBrowserWindow* browser : TopLevel<ObjectBrowserWindow>())
    if (!before.contains(browser)) opened << browser;
  if (opened.size() != 1) qFatal("not one catalogue window opened");
  return opened.front();
}

// Selects the rows of the catalogue and presses "View": the viewers it opened.
inline QList<ViewerWindow*> ViewRows(ObjectBrowserWindow* browser, const std::vector<int>& rows) {
  SelectTableRows(Child<QTableView>(browser, "ListView1"), rows);
  const QList<ViewerWindow*> before = TopLevel<ViewerWindow>();
  Child<QPushButton>(browser, "ViewSelected")->click();
  QList<ViewerWindow*> opened;
  for (ViewerWindow* viewer : TopLevel<ViewerWindow>())
    if (!before.contains(viewer)) opened << viewer;
  return opened;
}

// The viewer of those catalogue rows of the loaded file in row fileRow of
// OpenList; the test stops unless exactly one opened.
inline ViewerWindow* ViewerOfRows(MainWindow& form, int fileRow, const std::vector<int>& catalogueRows) {
  const QList<ViewerWindow*> viewers = ViewRows(OpenCatalogueOfRow(form, fileRow), catalogueRows);
  if (viewers.size() != 1) qFatal("not one viewer");
  return viewers.front();
}
