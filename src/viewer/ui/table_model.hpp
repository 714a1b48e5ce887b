// One model for every table the program shows: it reads the texts of a
// patchlore::Table when the view asks for a cell, so a table of a million
// rows costs no item objects, only its own texts.
#pragma once

#include <QAbstractTableModel>

#include "viewer/table.hpp"

class QHeaderView;

class TableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TableModel(QObject* parent = nullptr);

  // Replaces the whole table; views are told to reset.
  void setTable(patchlore::Table table);
  const patchlore::Table& table() const { return table_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  patchlore::Table table_;
};

// Gives the header's sections the widths of the table's columns.
void ApplyColumnWidths(QHeaderView* header, const patchlore::Table& table);
