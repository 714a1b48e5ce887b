// One model for every table the program shows: it reads the texts of a
// patchlore::Table when the view asks for a cell, so a table of a million
// rows costs no item objects, only its own texts.
//
// Ownership: the model never owns a table. It shows a table (or a source of
// computed rows) that its owner
// (a window's core, a window itself) keeps alive for as long as it is shown,
// and the owner says what changed: refresh() after rows were appended or the
// columns changed, restart() when the table was refilled from the start (a
// new Show). Views hear of appended rows as inserted rows, so their selection
// and scroll position stay; only restart() and new columns reset them.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "common/table.hpp"

class QTableView;
class QWidget;

class TableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TableModel(QObject* parent = nullptr);

  // Shows this table from now on (null: nothing); views are reset.
  void show(const patchlore::Table* table);
  // Shows rows computed when asked for, the same way.
  void show(const patchlore::RowSource* rows);
  // Shows nothing.
  void show(std::nullptr_t) { show(static_cast<const patchlore::Table*>(nullptr)); }
  // Announces the rows appended since the last announcement, or resets the
  // views when the columns changed or rows went away.
  void refresh();
  // The table is being refilled from its start (a Show begins): views are
  // reset to none of its rows, and refresh() announces the new ones.
  void restart();

  // The columns shown; none when nothing is.
  const std::vector<patchlore::TableColumn>& columns() const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  void reset();
  void reset(int rows);
  QVariant alignment(int column) const;

  // A held table is read through the same interface as computed rows.
  class HeldTable : public patchlore::RowSource {
   public:
    const patchlore::Table* table = nullptr;
    const std::vector<patchlore::TableColumn>& columns() const override;
    std::size_t rowCount() const override;
    std::string text(std::size_t row, std::size_t column) const override;
  };

  const patchlore::RowSource& rows() const;

  HeldTable heldTable_;
  const patchlore::RowSource* rows_ = nullptr;
  // What the views were told: rows and columns can grow in the table before
  // the owner announces them, and views must only see announced ones.
  int announcedRows_ = 0;
  std::vector<patchlore::TableColumn> announcedColumns_;
};

// A report-style list on the model, as every table of the program looks:
// whole rows selected, several at once, read only, bold, with a grid, rows of
// one height (a million rows are laid out without measuring them), the
// selection still visible when the window loses the focus, Tab moving on to
// the next control rather than from cell to cell, and a cell cut short shown
// whole in a tooltip.
QTableView* NewReportList(QWidget* parent, TableModel* model);
