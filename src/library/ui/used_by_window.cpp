#include "library/ui/used_by_window.hpp"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/eliding_label.hpp"
#include "ui/column_fit.hpp"
#include "ui/qt_text.hpp"
#include "ui/table_model.hpp"
#include "ui/widgets.hpp"

UsedByWindow::UsedByWindow(patchlore::UsedByList list, QWidget* parent)
    : QWidget(parent), list_(std::move(list)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("UsedByWindow");
  setWindowTitle(toQString(list_.caption));
  resize(480, 240);

  model_ = new TableModel(this);
  model_->show(&list_.table);
  auto* uses = Named(NewReportList(this, model_), "UsedByList");
  new ColumnFit(uses, uses->horizontalHeader(), model_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(StatusLabel("Msg", toQString(list_.msg), this));
  layout->addWidget(uses, 1);
}

UsedByWindow::~UsedByWindow() { model_->show(nullptr); }
