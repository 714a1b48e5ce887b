// The "Check PCG" window: one listing in a memo. It is freed when closed.
#pragma once

#include <QWidget>

#include "app/main_window.hpp"

class QPlainTextEdit;

class TMDIChild : public QWidget {
  Q_OBJECT

 public:
  explicit TMDIChild(const patchlore::CheckWindowContent& content);

 private:
  QPlainTextEdit* memo_;
};
