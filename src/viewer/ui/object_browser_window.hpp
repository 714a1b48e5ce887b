// The object browser of one loaded file (ObjectBrowserWindow): its catalogue's rows in
// ListView1, their descriptor lines in the hidden OffsetBox, and the "View"
// command that asks for one viewer per kind of object among the selected rows.
#pragma once

#include <QWidget>
#include <vector>

#include "workspace/catalogue.hpp"
#include "viewer/object_browser.hpp"

class QLabel;
class QListView;
class QPushButton;
class QTableView;
class TableModel;

Q_DECLARE_METATYPE(std::vector<patchlore::ViewerRequest>)

class ObjectBrowserWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ObjectBrowserWindow(patchlore::Catalogue catalogue, QWidget* parent = nullptr);

  const patchlore::Catalogue& catalogue() const { return catalogue_; }
  // Its size for its columns and its rows, up to maxRows of them; never
  // smaller than designed.
  QSize sizeShowingRows(int maxRows) const;
  // The rows selected in ListView1, in browser order.
  std::vector<int> selectedRows() const;

  // "View", a double-click, Enter: the viewers of the selected rows.
  void viewSelected();
  void selectAllRows();
  // Selects only this row and shows it; nothing for a row that is not there.
  void selectRow(int row);
  // Rows were added to the catalogue's computed rows (a running comparison);
  // msg, when given, is the new text of Msg.
  void showAddedRows(const std::string* msg);

 signals:
  // The viewers to open, in the order they are to be started. Emitted
  // directly to the receivers; the type is registered for queued use too.
  void viewersRequested(std::vector<patchlore::ViewerRequest> requests);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createPanels();
  void createList();

  patchlore::Catalogue catalogue_;
  TableModel* model_ = nullptr;
  QListView* descriptorLines_ = nullptr;  // OffsetBox
  QPushButton* viewButton_ = nullptr;     // ViewSelected
  QLabel* msg_ = nullptr;
  QTableView* table_ = nullptr;           // ListView1
};
