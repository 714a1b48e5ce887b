#include "viewer/ui/object_browser_window.hpp"

#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QAbstractListModel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/column_fit.hpp"
#include "ui/design_font.hpp"
#include "ui/qt_text.hpp"
#include "ui/table_model.hpp"

namespace {

constexpr int kPanel1Height = 46;
constexpr int kPanel2Height = 41;

QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}

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
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), catalogue_(std::move(catalogue)) {
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

  auto* panel1 = new QWidget(this);
  panel1->setObjectName("Panel1");
  panel1->setFixedHeight(kPanel1Height);
  offsetBox_ = new QListView(panel1);
  offsetBox_->setObjectName("OffsetBox");
  offsetBox_->setUniformItemSizes(true);
  offsetBox_->setModel(new DescriptorLineModel(catalogue_, offsetBox_));
  (new QVBoxLayout(panel1))->addWidget(offsetBox_);
  panel1->hide();
  layout->addWidget(panel1);

  auto* panel2 = new QWidget(this);
  panel2->setObjectName("Panel2");
  panel2->setFixedHeight(kPanel2Height);
  auto* row = new QHBoxLayout(panel2);
  viewSelected_ = new QPushButton("View", panel2);
  viewSelected_->setObjectName("ViewSelected");
  viewSelected_->setFont(Bold(viewSelected_->font()));
  viewSelected_->setFocusPolicy(Qt::StrongFocus);  // reachable by Tab; Space presses it
  connect(viewSelected_, &QPushButton::clicked, this, &ObjectBrowserWindow::viewSelected);
  auto* label1 = new QLabel("Select Objects then Click. ", panel2);
  label1->setObjectName("Label1");
  row->addWidget(viewSelected_);
  row->addWidget(label1);
  row->addStretch();
  layout->addWidget(panel2);

  msg_ = new QLabel(toQString(catalogue_.msg), this);
  msg_->setObjectName("Msg");
  msg_->setTextFormat(Qt::PlainText);
  layout->addWidget(msg_);
}

void ObjectBrowserWindow::createList() {
  model_ = new TableModel(this);
  model_->show(static_cast<const patchlore::RowSource*>(&catalogue_));
  listView1_ = NewReportList(this, model_);
  QHeaderView* header = listView1_->horizontalHeader();
  new ColumnFit(listView1_, header, model_);
  connect(header, &QHeaderView::sectionClicked, this, &ObjectBrowserWindow::selectAllRows);
  connect(listView1_, &QAbstractItemView::doubleClicked, this, &ObjectBrowserWindow::viewDoubleClicked);
  listView1_->installEventFilter(this);
  layout()->addWidget(listView1_);
  // Tab goes from the list to "View" and back.
  setTabOrder(listView1_, viewSelected_);
}

void ObjectBrowserWindow::showAddedRows(const std::string* msg) {
  model_->refresh();
  static_cast<DescriptorLineModel*>(offsetBox_->model())->grow();
  if (msg) msg_->setText(toQString(*msg));
}

// Enter (or Return) in the list opens the viewers of the selected rows, as a
// double-click does.
bool ObjectBrowserWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == listView1_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      viewSelected();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ObjectBrowserWindow::placeOnPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize size = screen ? screen->geometry().size() : QSize(1024, 768);
  const patchlore::WindowPlace place =
      patchlore::CataloguePlacement(catalogue_.counter, size.width(), size.height());
  move(place.left, place.top);
}

std::vector<int> ObjectBrowserWindow::selectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : listView1_->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ObjectBrowserWindow::viewDoubleClicked() { viewSelected(); }

void ObjectBrowserWindow::viewSelected() {
  std::vector<patchlore::ViewerRequest> requests = patchlore::ViewerRequestsFor(catalogue_, selectedRows());
  if (!requests.empty()) emit viewersRequested(std::move(requests));
}

void ObjectBrowserWindow::selectAllRows() { listView1_->selectAll(); }

void ObjectBrowserWindow::selectRow(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  listView1_->selectRow(row);
  listView1_->scrollTo(model_->index(row, 0));
}
