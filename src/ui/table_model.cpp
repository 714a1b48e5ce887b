#include "ui/table_model.hpp"

#include <QHeaderView>
#include <QTableView>

#include "ui/cut_cell_tips.hpp"
#include "ui/qt_text.hpp"

namespace {

const patchlore::Table kNoTable;

}  // namespace

const std::vector<patchlore::TableColumn>& TableModel::HeldTable::columns() const {
  return (table ? *table : kNoTable).columns;
}

std::size_t TableModel::HeldTable::rowCount() const { return table ? table->rows.size() : 0; }

std::string TableModel::HeldTable::text(std::size_t row, std::size_t column) const {
  return table->text(row, column);
}

TableModel::TableModel(QObject* parent) : QAbstractTableModel(parent) {}

const patchlore::RowSource& TableModel::rows() const { return rows_ ? *rows_ : heldTable_; }

const std::vector<patchlore::TableColumn>& TableModel::columns() const { return rows().columns(); }

void TableModel::show(const patchlore::Table* table) {
  heldTable_.table = table;
  rows_ = nullptr;
  reset();
}

void TableModel::show(const patchlore::RowSource* rows) {
  heldTable_.table = nullptr;
  rows_ = rows;
  reset();
}

void TableModel::restart() { reset(0); }

void TableModel::reset() { reset(static_cast<int>(rows().rowCount())); }

void TableModel::reset(int rows) {
  beginResetModel();
  announcedRows_ = rows;
  announcedColumns_ = columns();
  endResetModel();
}

void TableModel::refresh() {
  const int rows = static_cast<int>(this->rows().rowCount());
  if (columns() != announcedColumns_ || rows < announcedRows_) {
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
  if (row >= rows().rowCount()) return {};
  return toQString(rows().text(row, static_cast<std::size_t>(index.column())));
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
  new CutCellTips(list);
  return list;
}
