// One model for every table the program shows: it reads the texts of a
// patchlore::Table when the view asks for a cell, so a table of a million
// rows costs no item objects, only its own texts.
#pragma once

#include <QAbstractTableModel>

#include "common/table.hpp"

class QHeaderView;
class QTableView;
class QWidget;

class TableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TableModel(QObject* parent = nullptr);

  // Shows a table the model keeps; views are told to reset.
  void setTable(patchlore::Table table);
  // Shows a table owned elsewhere (a window's core) without copying it; it
  // must outlive its use here. Call again after the table changed: the row
  // and column counts are taken at each call, and a cell the table no longer
  // has reads empty meanwhile.
  void showTable(const patchlore::Table& table);
  const patchlore::Table& table() const { return *table_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  void reset(const patchlore::Table* table);

  patchlore::Table owned_;
  const patchlore::Table* table_ = &owned_;
  int rows_ = 0;
  int columns_ = 0;
};

// A report-style list on the model, as every table of the program looks:
// whole rows selected, several at once, read only, bold, with a grid, rows of
// one height (a million rows are laid out without measuring them), and the
// selection still visible when the window loses the focus.
QTableView* NewReportList(QWidget* parent, TableModel* model);

// Gives the header's sections the widths of the table's columns.
void ApplyColumnWidths(QHeaderView* header, const patchlore::Table& table);
