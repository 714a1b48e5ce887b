#include "library/ui/used_by_window.hpp"

#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include "ui/column_fit.hpp"
#include "ui/qt_text.hpp"
#include "ui/table_model.hpp"

UsedByWindow::UsedByWindow(patchlore::UsedByList list, QWidget* parent)
    : QWidget(parent), list_(std::move(list)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("UsedByWindow");
  setWindowTitle(toQString(list_.caption));
  resize(480, 240);

  msg_ = new QLabel(toQString(list_.msg), this);
  msg_->setObjectName("Msg");
  model_ = new TableModel(this);
  model_->show(&list_.table);
  usedByList_ = NewReportList(this, model_);
  usedByList_->setObjectName("UsedByList");
  new ColumnFit(usedByList_, usedByList_->horizontalHeader(), model_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(msg_);
  layout->addWidget(usedByList_, 1);
}

UsedByWindow::~UsedByWindow() { model_->show(nullptr); }
