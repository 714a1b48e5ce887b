#include "viewer/ui/object_browser_window.hpp"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QAbstractListModel>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/eliding_label.hpp"
#include "ui/column_fit.hpp"
#include "ui/design_font.hpp"
#include "ui/qt_text.hpp"
#include "ui/table_size.hpp"
#include "ui/table_model.hpp"
#include "ui/widgets.hpp"

namespace {

constexpr int kDescriptorPanelHeight = 46;
constexpr int kCommandPanelHeight = 41;

// The descriptor lines of the hidden OffsetBox, read from the catalogue when
// asked for: a SysEx file of millions of messages holds no line texts.
class DescriptorLineModel : public QAbstractListModel {
 public:
  // The catalogue has more rows than the list was told of.
  void grow() {
    beginResetModel();
    endResetModel();
  }

  DescriptorLineModel(const patchlore::Catalogue& catalogue, QObject* parent)
      : QAbstractListModel(parent), catalogue_(catalogue) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(catalogue_.rowCount());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return toQString(catalogue_.descriptorLine(static_cast<std::size_t>(index.row())));
  }

 private:
  const patchlore::Catalogue& catalogue_;
};

}  // namespace

ObjectBrowserWindow::ObjectBrowserWindow(patchlore::Catalogue catalogue, QWidget* parent)
    : QWidget(parent, Qt::Window), catalogue_(std::move(catalogue)) {
  qRegisterMetaType<std::vector<patchlore::ViewerRequest>>();
  setObjectName("FormOpen");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(toQString(catalogue_.caption));
  setFont(DesignWindowFont());
  createPanels();
  createList();
  resize(patchlore::kCatalogueDesignWidth, patchlore::kCatalogueDesignHeight);
}

void ObjectBrowserWindow::createPanels() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* descriptorPanel = Named(new QWidget(this), "Panel1");
  descriptorPanel->setFixedHeight(kDescriptorPanelHeight);
  descriptorLines_ = Named(new QListView(descriptorPanel), "OffsetBox");
  descriptorLines_->setUniformItemSizes(true);
  descriptorLines_->setModel(new DescriptorLineModel(catalogue_, descriptorLines_));
  (new QVBoxLayout(descriptorPanel))->addWidget(descriptorLines_);
  descriptorPanel->hide();
  layout->addWidget(descriptorPanel);

  auto* commandPanel = Named(new QWidget(this), "Panel2");
  commandPanel->setFixedHeight(kCommandPanelHeight);
  auto* row = new QHBoxLayout(commandPanel);
  viewButton_ = BoldButton("ViewSelected", "View", commandPanel);
  viewButton_->setFocusPolicy(Qt::StrongFocus);  // reachable by Tab; Space presses it
  connect(viewButton_, &QPushButton::clicked, this, &ObjectBrowserWindow::viewSelected);
  row->addWidget(viewButton_);
  row->addWidget(PlainLabel("Label1", "Select Objects then Click. ", commandPanel));
  row->addStretch();
  commandPanel->setVisible(catalogue_.opensViewers);
  layout->addWidget(commandPanel);

  msg_ = StatusLabel("Msg", toQString(catalogue_.msg), this);
  layout->addWidget(msg_);
}

void ObjectBrowserWindow::createList() {
  model_ = new TableModel(this);
  model_->show(static_cast<const patchlore::RowSource*>(&catalogue_));
  table_ = NewReportList(this, model_);
  QHeaderView* header = table_->horizontalHeader();
  new ColumnFit(table_, header, model_);
  connect(header, &QHeaderView::sectionClicked, this, &ObjectBrowserWindow::selectAllRows);
  connect(table_, &QAbstractItemView::doubleClicked, this, &ObjectBrowserWindow::viewSelected);
  table_->installEventFilter(this);
  layout()->addWidget(table_);
  // Tab goes from "View" down to the list, and from there round to "View".
  setTabOrder(viewButton_, table_);
}

void ObjectBrowserWindow::showAddedRows(const std::string* msg) {
  model_->refresh();
  static_cast<DescriptorLineModel*>(descriptorLines_->model())->grow();
  if (msg) msg_->setText(toQString(*msg));
}

// Enter (or Return) in the list opens the viewers of the selected rows, as a
// double-click does.
bool ObjectBrowserWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      viewSelected();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

QSize ObjectBrowserWindow::sizeShowingRows(int maxRows) const {
  const QSize wanted = SizeShowingTable(*layout(), *table_, std::min(maxRows, model_->rowCount()));
  return wanted.expandedTo({patchlore::kCatalogueDesignWidth, patchlore::kCatalogueDesignHeight});
}

std::vector<int> ObjectBrowserWindow::selectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ObjectBrowserWindow::viewSelected() {
  std::vector<patchlore::ViewerRequest> requests = patchlore::ViewerRequestsFor(catalogue_, selectedRows());
  if (!requests.empty()) emit viewersRequested(std::move(requests));
}

void ObjectBrowserWindow::selectAllRows() { table_->selectAll(); }

void ObjectBrowserWindow::selectRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  table_->selectRow(row);
  table_->scrollTo(model_->index(row, 0));
}
