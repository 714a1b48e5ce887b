#include "library/ui/patch_comparison_window.hpp"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/eliding_label.hpp"
#include "ui/column_fit.hpp"
#include "ui/qt_text.hpp"
#include "ui/table_model.hpp"
#include "ui/widgets.hpp"

PatchComparisonWindow::PatchComparisonWindow(const patchlore::Registry& registry, int a, int b, QWidget* parent)
    : QWidget(parent), comparison_(registry, a, b) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("PatchComparisonWindow");
  setWindowTitle(toQString(comparison_.caption()));
  resize(640, 320);

  model_ = new TableModel(this);
  model_->show(&comparison_.table());
  differences_ = Named(NewReportList(this, model_), "PatchDiffList");
  new ColumnFit(differences_, differences_->horizontalHeader(), model_);
  connect(differences_, &QTableView::doubleClicked, this, &PatchComparisonWindow::viewCurrentRow);
  differences_->installEventFilter(this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(StatusLabel("Msg", toQString(comparison_.msg()), this));
  layout->addWidget(differences_, 1);
}

PatchComparisonWindow::~PatchComparisonWindow() { model_->show(nullptr); }

void PatchComparisonWindow::viewCurrentRow() {
  const QModelIndex current = differences_->currentIndex();
  if (!current.isValid()) return;
  for (const patchlore::PatchPlace& place : comparison_.places(static_cast<std::size_t>(current.row())))
    emit patchViewRequested(place.fileIndex, place.catalogueObject, place.offset);
}

bool PatchComparisonWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == differences_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      viewCurrentRow();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
