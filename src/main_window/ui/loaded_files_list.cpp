#include "main_window/ui/loaded_files_list.hpp"

#include <QEvent>
#include <QHeaderView>
#include <QIcon>
#include <QIdentityProxyModel>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <set>

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

// The rows of the model as they are, with the changed ones marked.
class ChangedMarks : public QIdentityProxyModel {
 public:
  ChangedMarks(QIcon icon, QObject* parent) : QIdentityProxyModel(parent), icon_(std::move(icon)) {}

  void mark(const std::vector<int>& rows, const QString& tip) {
    changed_ = std::set<int>(rows.begin(), rows.end());
    tip_ = tip;
    if (rowCount() > 0)
      emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DecorationRole, Qt::ToolTipRole});
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (index.isValid() && changed_.contains(index.row())) {
      if (role == Qt::DecorationRole && index.column() == 0) return icon_;
      if (role == Qt::ToolTipRole) return tip_;
    }
    return QIdentityProxyModel::data(index, role);
  }

 private:
  QIcon icon_;
  QString tip_;
  std::set<int> changed_;
};

LoadedFilesList::LoadedFilesList(QWidget* parent)
    : QTreeView(parent),
      model_(new TableModel(this)),
      marks_(new ChangedMarks(style()->standardIcon(QStyle::SP_DialogSaveButton), this)) {
  setObjectName("OpenList");
  for (const patchlore::ListColumn& column : patchlore::FileListColumns())
    files_.columns.push_back({column.caption, column.width, column.rightAligned});
  model_->show(&files_);
  marks_->setSourceModel(model_);
  setModel(marks_);
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

void LoadedFilesList::showChangedFiles(const std::vector<int>& rows, const QString& tip) { marks_->mark(rows, tip); }

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
