#include "library/ui/library_window.hpp"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "common/cp1251.hpp"
#include "ui/eliding_label.hpp"
#include "ui/column_fit.hpp"
#include "ui/qt_text.hpp"
#include "ui/table_model.hpp"
#include "ui/widgets.hpp"

LibraryWindow::LibraryWindow(const std::string& libraryPath, patchlore::Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs), browser_(libraryPath) {
  setObjectName("LibraryWindow");
  setWindowTitle("Library");
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  searchText_ = Named(new QLineEdit(this), "SearchText");
  searchText_->setPlaceholderText("Find a patch by name");
  kindFilter_ = Named(new QComboBox(this), "KindFilter");
  for (const std::string& kind : patchlore::LibraryKindChoices()) kindFilter_->addItem(toQString(kind));
  addFolder_ = Named(new QPushButton("Add Folder...", this), "AddFolder");
  cancelAdd_ = Named(new QPushButton("Cancel", this), "CancelAdd");
  cancelAdd_->setEnabled(false);
  for (QWidget* w : {static_cast<QWidget*>(searchText_), static_cast<QWidget*>(kindFilter_),
                     static_cast<QWidget*>(addFolder_), static_cast<QWidget*>(cancelAdd_)})
    bar->addWidget(w);
  layout->addLayout(bar);
  model_ = new TableModel(this);
  model_->show(static_cast<const patchlore::RowSource*>(&browser_));
  results_ = Named(NewReportList(this, model_), "LibraryResults");
  new ColumnFit(results_, results_->horizontalHeader(), model_);
  layout->addWidget(results_);
  progress_ = Named(new QProgressBar(this), "IndexProgress");
  progress_->hide();
  status_ = StatusLabel("LibraryStatus", {}, this);
  layout->addWidget(progress_);
  layout->addWidget(status_);
  connect(searchText_, &QLineEdit::textChanged, this, &LibraryWindow::search);
  connect(kindFilter_, &QComboBox::currentIndexChanged, this, &LibraryWindow::search);
  connect(addFolder_, &QPushButton::clicked, this, &LibraryWindow::addFolder);
  connect(cancelAdd_, &QPushButton::clicked, this, [this] { cancelRequested_ = true; });
  connect(results_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) { chooseRow(i.row()); });
  addFolder_->setEnabled(browser_.ready());
  resize(760, 420);
  showStatus();
}

void LibraryWindow::search() {
  browser_.search(FromQString(searchText_->text()), kindFilter_->currentIndex());
  showResults();
}

// The found patches were replaced: the table shows them from the top.
void LibraryWindow::showResults() {
  model_->restart();
  model_->refresh();
  showStatus();
}

void LibraryWindow::showStatus() { status_->setText(toQString(browser_.status())); }

// Indexing runs here, letting events in after each file so that Cancel and
// the window stay responsive.
void LibraryWindow::addFolder() {
  const std::optional<std::string> folder = dialogs_.chooseFolder();
  if (!folder || !browser_.ready()) return;
  cancelRequested_ = false;
  addFolder_->setEnabled(false);
  cancelAdd_->setEnabled(true);
  progress_->setRange(0, 0);
  progress_->show();
  browser_.addFolder(*folder, [this](const patchlore::IndexCounts& counts) {
    status_->setText(QString("Files: %1; patches: %2").arg(counts.files).arg(counts.patches));
    QCoreApplication::processEvents();
    return !cancelRequested_;
  });
  progress_->hide();
  cancelAdd_->setEnabled(false);
  addFolder_->setEnabled(true);
  showResults();
}

void LibraryWindow::chooseRow(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= browser_.rowCount()) return;
  const patchlore::FoundPatch& patch = browser_.patch(static_cast<std::size_t>(row));
  emit patchChosen(QString::fromStdString(patch.path), QChar(patch.kind), QString::fromStdString(patch.key));
}
