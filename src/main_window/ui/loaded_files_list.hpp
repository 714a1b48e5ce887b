// The list of loaded files (OpenList): one row per file of the registry,
// drawn as a report-style list view with a grid on an info-tip ground.
// Clicking its header selects every row; a double-click in it or a
// right-click on its header asks for the catalogues of the selected rows. A
// file changed in memory and not saved shows an icon before its index and a
// tooltip; its texts stay as they are.
#pragma once

#include <QTreeView>
#include <vector>

#include "common/table.hpp"

class ChangedMarks;
class TableModel;

namespace patchlore {
class Registry;
}

class LoadedFilesList : public QTreeView {
  Q_OBJECT

 public:
  explicit LoadedFilesList(QWidget* parent = nullptr);
  ~LoadedFilesList() override;

  // Rows are only ever appended, so the list holds the registry's first rows
  // and takes the ones after them.
  void appendRowsFrom(const patchlore::Registry& registry);

  // These rows are marked changed, every other row not; tip is their tooltip.
  void showChangedFiles(const std::vector<int>& rows, const QString& tip);

  // The rows selected, in the order they were selected.
  std::vector<int> selectedFileRows() const;

 signals:
  void cataloguesRequested();

 protected:
  bool viewportEvent(QEvent* event) override;

 private:
  void setUpLook();
  void setUpHeader();

  patchlore::Table files_;  // the rows shown, one per loaded file
  TableModel* model_;
  ChangedMarks* marks_;  // the view shows the model through it
};
