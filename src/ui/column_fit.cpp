#include "ui/column_fit.hpp"

#include <QAbstractItemView>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>

#include "ui/table_model.hpp"

namespace {

QString Caption(const QAbstractItemModel* model, int column) {
  return model->headerData(column, Qt::Horizontal).toString();
}

}  // namespace

ColumnFit::ColumnFit(QAbstractItemView* view, QHeaderView* header, TableModel* model)
    : QObject(view), view_(view), header_(header), model_(model) {
  // A reset comes with new sections; their sizes then are the header's own.
  connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { applying_ = true; });
  connect(model, &QAbstractItemModel::modelReset, this, &ColumnFit::fitAll);
  connect(model, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) { fitRows(first, last); });
  connect(header, &QHeaderView::sectionResized, this,
          [this](int column, int, int newSize) { remember(column, newSize); });
  fitAll();
}

int ColumnFit::cellWidth(const QString& text) const {
  // An item view draws its text inside a focus-frame margin on either side,
  // and the grid takes a pixel.
  const int margin = view_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view_) + 1;
  return view_->fontMetrics().horizontalAdvance(text) + 2 * margin + 1;
}

void ColumnFit::fitAll() {
  if (!model_) return;
  applying_ = true;
  const auto& columns = model_->columns();
  for (int c = 0; c < model_->columnCount(); ++c) {
    const auto user = userWidths_.find(Caption(model_, c));
    if (user != userWidths_.end()) {
      header_->resizeSection(c, user->second);
      continue;
    }
    const int designed = columns[static_cast<std::size_t>(c)].width;
    header_->resizeSection(c, std::max(designed, header_->sectionSizeHint(c)));
  }
  applying_ = false;
  if (model_->rowCount() > 0) fitRows(0, model_->rowCount() - 1);
}

void ColumnFit::fitRows(int first, int last) {
  if (!model_) return;
  last = std::min(last, kFitSampleRows - 1);
  applying_ = true;
  for (int c = 0; c < model_->columnCount(); ++c) {
    if (userWidths_.contains(Caption(model_, c))) continue;
    int width = header_->sectionSize(c);
    for (int row = first; row <= last; ++row)
      width = std::max(width, cellWidth(model_->index(row, c).data().toString()));
    apply(c, width);
  }
  applying_ = false;
}

void ColumnFit::apply(int column, int width) {
  if (header_->sectionSize(column) != width) header_->resizeSection(column, width);
}

void ColumnFit::remember(int column, int newSize) {
  if (applying_ || !model_ || column >= model_->columnCount()) return;
  userWidths_[Caption(model_, column)] = newSize;
}
