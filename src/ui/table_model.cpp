#include "ui/table_model.hpp"

#include <QHeaderView>
#include <QTableView>

#include "ui/qt_text.hpp"

TableModel::TableModel(QObject* parent) : QAbstractTableModel(parent) {}

void TableModel::setTable(patchlore::Table table) {
  beginResetModel();
  owned_ = std::move(table);
  table_ = &owned_;
  rows_ = static_cast<int>(owned_.rows.size());
  columns_ = static_cast<int>(owned_.columns.size());
  endResetModel();
}

void TableModel::showTable(const patchlore::Table& table) {
  beginResetModel();
  if (&table != &owned_) owned_ = patchlore::Table{};
  table_ = &table;
  rows_ = static_cast<int>(table.rows.size());
  columns_ = static_cast<int>(table.columns.size());
  endResetModel();
}

int TableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int TableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount() ||
      index.column() >= columnCount())
    return {};
  // The table may have shrunk since the last reset (a Show starting again).
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= table_->rows.size()) return {};
  return toQString(table_->text(row, static_cast<std::size_t>(index.column())));
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
      section >= columnCount() || static_cast<std::size_t>(section) >= table_->columns.size())
    return QAbstractTableModel::headerData(section, orientation, role);
  return toQString(table_->columns[static_cast<std::size_t>(section)].caption);
}

void ApplyColumnWidths(QHeaderView* header, const patchlore::Table& table) {
  for (std::size_t c = 0; c < table.columns.size(); ++c)
    header->resizeSection(static_cast<int>(c), table.columns[c].width);
}

QTableView* NewReportList(QWidget* parent, TableModel* model) {
  auto* list = new QTableView(parent);
  list->setObjectName("ListView1");
  list->setModel(model);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setShowGrid(true);
  list->setWordWrap(false);
  QFont bold = list->font();
  bold.setBold(true);
  list->setFont(bold);
  QHeaderView* rows = list->verticalHeader();
  rows->hide();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(list->fontMetrics().height() + 4);
  QPalette palette = list->palette();
  for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  list->setPalette(palette);
  QHeaderView* header = list->horizontalHeader();
  header->setStretchLastSection(false);
  header->setSectionsClickable(true);
  header->setHighlightSections(false);
  return list;
}
