#include "main_window/ui/loaded_files_list.hpp"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include "ui/column_fit.hpp"
#include "ui/design_font.hpp"
#include "ui/table_model.hpp"
#include "workspace/registry.hpp"

namespace {

const QColor kInfoBackground(0xFF, 0xFF, 0xE1);
const QColor kGridLine(0xC0, 0xC0, 0xC0);

// Cells drawn with grid lines on their right and bottom edges, the look of a
// report-style list view with a grid.
class GridLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(kGridLine);
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->restore();
  }
};

}  // namespace

LoadedFilesList::LoadedFilesList(QWidget* parent) : QTreeView(parent), model_(new TableModel(this)) {
  setObjectName("OpenList");
  for (const patchlore::ListColumn& column : patchlore::FileListColumns())
    files_.columns.push_back({column.caption, column.width, column.rightAligned});
  model_->show(&files_);
  setModel(model_);
  setUpLook();
  setUpHeader();
}

// The model reads files_, which goes before the model does.
LoadedFilesList::~LoadedFilesList() { model_->show(nullptr); }

void LoadedFilesList::setUpLook() {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSortingEnabled(false);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setAllColumnsShowFocus(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setItemDelegate(new GridLineDelegate(this));
  setFont(DesignFont("MS Sans Serif", 8, true));
  QPalette ground = palette();
  ground.setColor(QPalette::Base, kInfoBackground);
  setPalette(ground);
}

void LoadedFilesList::setUpHeader() {
  QHeaderView* headerView = header();
  headerView->setStretchLastSection(false);
  headerView->setSectionsMovable(false);
  headerView->setSectionsClickable(true);
  new ColumnFit(this, headerView, model_);
  connect(headerView, &QHeaderView::sectionClicked, this, &QAbstractItemView::selectAll);
  headerView->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(headerView, &QWidget::customContextMenuRequested, this, &LoadedFilesList::cataloguesRequested);
}

void LoadedFilesList::appendRowsFrom(const patchlore::Registry& registry) {
  for (auto i = static_cast<int>(files_.rows.size()); i < registry.count(); ++i) {
    const patchlore::FileRow& row = registry.row(i);
    files_.rows.push_back({row.index, {row.fileName, row.bytes, row.type, row.filePath}});
  }
  model_->refresh();
}

std::vector<int> LoadedFilesList::selectedFileRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  return rows;
}

// The double-click is taken before the list acts on it, so it concerns the
// rows selected at that moment.
bool LoadedFilesList::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) emit cataloguesRequested();
  return QTreeView::viewportEvent(event);
}
