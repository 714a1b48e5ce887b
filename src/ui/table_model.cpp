#include "ui/table_model.hpp"

#include <QHeaderView>
#include <QTableView>

#include "ui/qt_text.hpp"

namespace {

const patchlore::Table kNoTable;

}  // namespace

TableModel::TableModel(QObject* parent) : QAbstractTableModel(parent) {}

const patchlore::Table& TableModel::table() const { return table_ ? *table_ : kNoTable; }

void TableModel::show(const patchlore::Table* table) {
  table_ = table;
  reset();
}

void TableModel::restart() { reset(0); }

void TableModel::reset() { reset(static_cast<int>(table().rows.size())); }

void TableModel::reset(int rows) {
  beginResetModel();
  announcedRows_ = rows;
  announcedColumns_ = table().columns;
  endResetModel();
}

void TableModel::refresh() {
  const int rows = static_cast<int>(table().rows.size());
  if (table().columns != announcedColumns_ || rows < announcedRows_) {
    reset();
    return;
  }
  if (rows == announcedRows_) return;
  beginInsertRows(QModelIndex(), announcedRows_, rows - 1);
  announcedRows_ = rows;
  endInsertRows();
}

int TableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : announcedRows_;
}

int TableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(announcedColumns_.size());
}

QVariant TableModel::alignment(int column) const {
  const bool right = announcedColumns_[static_cast<std::size_t>(column)].rightAligned;
  return QVariant::fromValue(Qt::Alignment(right ? Qt::AlignRight | Qt::AlignVCenter
                                                 : Qt::AlignLeft | Qt::AlignVCenter));
}

QVariant TableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  if (role == Qt::TextAlignmentRole) return alignment(index.column());
  if (role != Qt::DisplayRole) return {};
  // Rows of a table that is being refilled may be gone before restart().
  const auto row = static_cast<std::size_t>(index.row());
  if (row >= table().rows.size()) return {};
  return toQString(table().text(row, static_cast<std::size_t>(index.column())));
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
    return QAbstractTableModel::headerData(section, orientation, role);
  if (role == Qt::TextAlignmentRole) return alignment(section);
  if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  return toQString(announcedColumns_[static_cast<std::size_t>(section)].caption);
}

QTableView* NewReportList(QWidget* parent, TableModel* model) {
  auto* list = new QTableView(parent);
  list->setObjectName("ListView1");
  list->setModel(model);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setTabKeyNavigation(false);  // Tab would collapse a selection of several rows
  list->setShowGrid(true);
  list->setWordWrap(false);
  // Only the weight is set: family and size still come from the window.
  QFont bold;
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
