// The Compare Patches window (PatchComparisonWindow): what changed between
// two loaded files, one row per patch that is not identical (PatchDiffList),
// under the summary (Msg). Double-clicking a row, or Enter on it, asks for
// the viewers of its two patches. It is freed when closed.
#pragma once

#include <QWidget>

#include "workspace/registry.hpp"
#include "library/patch_comparison.hpp"

class QTableView;
class TableModel;

class PatchComparisonWindow : public QWidget {
  Q_OBJECT

 public:
  // Files a and b of the registry, which outlives the window.
  PatchComparisonWindow(const patchlore::Registry& registry, int a, int b, QWidget* parent = nullptr);
  ~PatchComparisonWindow() override;

  const patchlore::PatchComparison& comparison() const { return comparison_; }
  // The viewers of the current row's patches are asked for.
  void viewCurrentRow();

 signals:
  // A viewer of the patch at offset, listed in the catalogue of fileIndex
  // under catalogueObject, is to be opened. Emitted once per patch of a row.
  void patchViewRequested(int fileIndex, qint64 catalogueObject, qint64 offset);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  patchlore::PatchComparison comparison_;
  TableModel* model_ = nullptr;
  QTableView* differences_ = nullptr;
};
