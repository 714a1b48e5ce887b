// The "Used by" window of a program (UsedByWindow): the combination timbres,
// set list slots and song tracks that use it, in a table (UsedByList) under
// a label (Msg). It shows a UsedByList of the core and is freed when closed.
#pragma once

#include <QWidget>

#include "library/used_by_list.hpp"

class TableModel;

class UsedByWindow : public QWidget {
  Q_OBJECT

 public:
  explicit UsedByWindow(patchlore::UsedByList list, QWidget* parent = nullptr);
  // The table model reads the list's table: it is detached before the list goes.
  ~UsedByWindow() override;

 private:
  patchlore::UsedByList list_;
  TableModel* model_ = nullptr;
};
