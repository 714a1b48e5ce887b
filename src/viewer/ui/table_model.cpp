#include "viewer/ui/table_model.hpp"

#include <QHeaderView>

#include "app/ui/text.hpp"

TableModel::TableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TableModel::setTable(patchlore::Table table) {
  beginResetModel();
  table_ = std::move(table);
  endResetModel();
}

int TableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int TableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.columns.size());
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount() ||
      index.column() >= columnCount())
    return {};
  return toQString(table_.text(static_cast<std::size_t>(index.row()),
                               static_cast<std::size_t>(index.column())));
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= columnCount())
    return QAbstractTableModel::headerData(section, orientation, role);
  return toQString(table_.columns[static_cast<std::size_t>(section)].caption);
}

void ApplyColumnWidths(QHeaderView* header, const patchlore::Table& table) {
  for (std::size_t c = 0; c < table.columns.size(); ++c)
    header->resizeSection(static_cast<int>(c), table.columns[c].width);
}
